// One kind of report to the user: names (CP932) gathered while a report of the kind is open,
// such as during a model read, and told in one message when the outermost one closes: a
// heading, the first few names and, when there are more, how many there were in all. Each
// name is told once.
#pragma once

#include <string>
#include <unordered_set>
#include <vector>

class NamedReport {
public:
    // heading: the message's first line (UTF-8); unit: what the names name, for the count
    // ("ファイル").
    NamedReport(std::string heading, std::string unit);

    void Open() { ++m_depth; }
    // Closing the outermost report shows what it gathered, if anything.
    void Close();
    bool IsOpen() const { return m_depth > 0; }

    void Add(const std::string& name);
    // Forgets the names gathered so far.
    void Discard();

    // The message telling these names.
    std::string Message(const std::vector<std::string>& names) const;

private:
    std::string m_heading;
    std::string m_unit;
    int m_depth = 0;
    std::vector<std::string> m_names;  // each once, in the order they came
    std::unordered_set<std::string> m_seen;
};
