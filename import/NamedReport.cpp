#include "import/NamedReport.h"

#include "platform/Cp932.h"
#include "platform/Messages.h"

#include <utility>

namespace {

constexpr std::size_t kNamesShown = 5;
constexpr std::size_t kLongestName = 160;  // bytes of UTF-8 shown of one name

// A name as UTF-8, cut at a character when it is very long.
std::string Shown(const std::string& name)
{
    std::string text = cp932::ToUtf8(name);
    if (text.size() <= kLongestName)
        return text;
    std::size_t end = kLongestName;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end) + "…";
}

}  // namespace

NamedReport::NamedReport(std::string heading, std::string unit) : m_heading(std::move(heading)), m_unit(std::move(unit))
{
}

void NamedReport::Close()
{
    if (--m_depth > 0 || m_names.empty())
        return;
    const std::vector<std::string> names = std::exchange(m_names, {});
    m_seen.clear();
    try {
        ShowMessage(Message(names), MessageButtons::Ok, MessageIcon::Warning);
    } catch (...) {
        // Nothing is left to tell it with.
    }
}

void NamedReport::Add(const std::string& name)
{
    if (m_seen.insert(name).second)
        m_names.push_back(name);
}

void NamedReport::Discard()
{
    m_names.clear();
    m_seen.clear();
}

std::string NamedReport::Message(const std::vector<std::string>& names) const
{
    std::string text = m_heading;
    for (std::size_t i = 0; i < names.size() && i < kNamesShown; ++i)
        text += "\n" + Shown(names[i]);
    if (names.size() > kNamesShown)
        text += "\n（ほか " + std::to_string(names.size() - kNamesShown) + " 個、全部で " +
                std::to_string(names.size()) + " 個の" + m_unit + "）";
    return text;
}
