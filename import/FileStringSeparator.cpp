#include "import/FileStringSeparator.h"

#include "platform/Cp932.h"

int FileStringSeparator::ReadLine()
{
    m_line.clear();
    if (!m_file) {
        m_tokenCount = -1;
        return -1;
    }
    for (;;) {
        int c = std::fgetc(m_file);
        if (c == EOF)
            break;
        if (c == '\n')
            return SplitText(m_line.c_str());
        if (c == '\r') {
            // CR, LF and CR LF each end one line.
            const int next = std::fgetc(m_file);
            if (next != '\n' && next != EOF)
                std::ungetc(next, m_file);
            return SplitText(m_line.c_str());
        }
        m_line.push_back(static_cast<char>(c));
        if (cp932::IsLeadByte(static_cast<unsigned char>(c))) {
            // The next byte is the trail byte whatever it is; end of file ends the line with
            // the lead byte alone.
            c = std::fgetc(m_file);
            if (c == EOF)
                break;
            m_line.push_back(static_cast<char>(c));
        }
    }
    if (m_line.empty()) {
        m_tokenCount = -1;
        return -1;
    }
    return SplitText(m_line.c_str());
}
