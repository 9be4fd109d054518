#include "import/StringSeparator.h"

#include "import/AsciiNumbers.h"
#include "platform/Cp932.h"

#include <cmath>

namespace {

constexpr std::array<unsigned char, 128> MakeSingleCharTokenTable()
{
    std::array<unsigned char, 128> table{};
    for (unsigned char c : {'(', ')', ',', ':', ';', '=', '[', ']', '{', '}'})
        table[c] = 1;
    return table;
}

// What a byte does in a line.
enum ByteClass : unsigned char {
    Plain = 0,   // part of the current token
    Lead,        // first byte of a double-byte character
    LineEnd,     // NUL, LF, CR
    Blank,       // blank, tab
    Quote,       // the quote character
    Single,      // a token by itself
};

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

}  // namespace

const std::array<unsigned char, 128> SingleCharTokenTable = MakeSingleCharTokenTable();

bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return true;
}

StringSeparator::StringSeparator() : m_delimiters(SingleCharTokenTable)
{
    for (int c = 0; c < 256; ++c) {
        ByteClass k = Plain;
        if (cp932::IsLeadByte(static_cast<unsigned char>(c)))
            k = Lead;
        else if (c == 0 || c == '\n' || c == '\r')
            k = LineEnd;
        else if (c == ' ' || c == '\t')
            k = Blank;
        else if (c == static_cast<unsigned char>(m_quoteChar))
            k = Quote;
        else if (c < 128 && m_delimiters[c])
            k = Single;
        m_byteClass[c] = k;
    }
}

StringSeparator::~StringSeparator() = default;

int StringSeparator::SplitLine(const char* line)
{
    m_lineCopy.assign(line ? line : "");
    return SplitText(m_lineCopy.c_str());
}

bool StringSeparator::SetToken(int index, std::string_view text)
{
    if (index < 0)
        return true;
    if (index >= m_tokenCapacity) {
        m_tokens.resize(static_cast<std::size_t>(index) + 1);
        m_tokenCapacity = index + 1;
    }
    m_tokenCopies.emplace_back(text);
    m_tokens[index] = m_tokenCopies.back();
    return true;
}

void StringSeparator::Emit(int& n, const char* begin, const char* end)
{
    const std::string_view token(begin, static_cast<std::size_t>(end - begin));
    if (n < m_tokenCapacity) {
        m_tokens[n] = token;
    } else {
        m_tokens.push_back(token);
        m_tokenCapacity = static_cast<int>(m_tokens.size());
    }
    ++n;
}

int StringSeparator::SplitText(const char* text)
{
    m_tokenCopies.clear();
    int n = 0;
    const char* p = text;
    const char* start = nullptr;  // start of the current token; null while it is empty
    bool quoted = false;
    for (;;) {
        switch (m_byteClass[static_cast<unsigned char>(*p)]) {
        case Plain:
            if (!start)
                start = p;
            ++p;
            // Most bytes of a model file are plain: take a run of them at once.
            while (m_byteClass[static_cast<unsigned char>(*p)] == Plain)
                ++p;
            break;
        case Lead:
            if (!start)
                start = p;
            // The trail byte belongs to the character whatever it is, but the end of the
            // text is never passed: a lead byte just before it stays alone in its token.
            p += p[1] != '\0' ? 2 : 1;
            break;
        case LineEnd:
            if (start && p != start)
                Emit(n, start, p);
            m_tokenCount = n;
            return n;
        case Blank:
            if (quoted) {
                if (!start)
                    start = p;
            } else if (start) {
                Emit(n, start, p);
                start = nullptr;
            }
            ++p;
            break;
        case Quote:
            if (quoted) {
                // A closing quote emits even an empty token.
                Emit(n, start ? start : p, p);
                quoted = false;
            } else {
                if (start)
                    Emit(n, start, p);
                quoted = true;
            }
            start = nullptr;
            ++p;
            break;
        case Single:
            if (quoted) {
                if (!start)
                    start = p;
            } else {
                if (start)
                    Emit(n, start, p);
                Emit(n, p, p + 1);
                start = nullptr;
            }
            ++p;
            break;
        }
    }
}

bool StringSeparator::FirstTokenIs(std::string_view keyword, int minTokens) const
{
    return m_tokenCount >= minTokens && m_tokenCount > 0 && EqualsIgnoreAsciiCase(m_tokens[0], keyword);
}

bool StringSeparator::TokenEquals(int index, std::string_view text) const
{
    return index >= 0 && index < m_tokenCount && EqualsIgnoreAsciiCase(m_tokens[index], text);
}

double StringSeparator::GetTokenFloat(int index) const
{
    return index >= 0 && index < m_tokenCount ? AsciiToDouble(m_tokens[index]) : 0.0;
}

float StringSeparator::GetTokenFiniteFloat(int index) const
{
    const float value = static_cast<float>(GetTokenFloat(index));
    if (std::isfinite(value))
        return value;
    ++m_nonFiniteCount;
    return 0.0f;
}

std::int32_t StringSeparator::GetTokenInt(int index) const
{
    return index >= 0 && index < m_tokenCount ? AsciiToInt(m_tokens[index]) : 0;
}
