// A string separator that reads its lines from a C stream, one character at a time. CR, LF
// and CR LF each end a line; the byte after a double-byte lead byte is always its trail byte.
// The stream is not owned. Do not mix this reader with a derived class's ReadLine on one
// stream: they keep different read positions.
#pragma once

#include "import/StringSeparator.h"

#include <cstdio>
#include <string>

class FileStringSeparator : public StringSeparator {
public:
    explicit FileStringSeparator(std::FILE* file) : m_file(file) {}

    // Reads and splits the next line; returns its token count, or -1 at end of file (also
    // left in the token count).
    virtual int ReadLine();

protected:
    std::FILE* m_file;

private:
    std::string m_line;  // the current line, which the tokens view
};
