// Cuts one line of text into tokens: blanks and tabs separate, a double quote starts and ends
// a quoted token (blanks and punctuation kept, quotes dropped), and each of ( ) , : ; = [ ] { }
// is a token by itself. Double-byte CP932 characters stay whole, so a trail byte is never
// taken for a quote, a blank or punctuation. The first NUL, CR or LF ends the line.
//
// Tokens are views into text the separator keeps (its copy of the line, or a reader's line
// buffer) and stay valid until the next line is split.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

class StringSeparator {
public:
    StringSeparator();
    virtual ~StringSeparator();
    StringSeparator(const StringSeparator&) = delete;
    StringSeparator& operator=(const StringSeparator&) = delete;

    // Splits one line (up to its first NUL) into tokens 0..n-1; returns n, also left in the
    // token count.
    int SplitLine(const char* line);
    // Stores a copy of text as token index (growing the token slots when needed). The token
    // count is not changed. Always true.
    bool SetToken(int index, std::string_view text);

    // True when the line has at least minTokens tokens and token 0 equals keyword, ignoring
    // ASCII case.
    bool FirstTokenIs(std::string_view keyword, int minTokens) const;
    // True when index is a token of the line and it equals text, ignoring ASCII case.
    bool TokenEquals(int index, std::string_view text) const;
    // atof / atoi of the token; 0 when index is not a token of the line.
    double GetTokenFloat(int index) const;
    std::int32_t GetTokenInt(int index) const;
    // GetTokenFloat in single precision, where a value that is not finite (nan, inf, or
    // beyond the single-precision range) reads as 0 and is counted.
    float GetTokenFiniteFloat(int index) const;
    // How many numbers GetTokenFiniteFloat has read as 0 so far.
    std::int64_t NonFiniteCount() const { return m_nonFiniteCount; }

    // Token count of the current line: 0 for a line without tokens, -1 after end of file.
    int TokenCount() const { return m_tokenCount; }
    // The token at index, or an empty view when index is not a token of the line.
    std::string_view Token(int index) const
    {
        return index >= 0 && index < m_tokenCount ? m_tokens[index] : std::string_view();
    }
    // The last token of the line (empty when the line has none).
    std::string_view LastToken() const { return Token(m_tokenCount - 1); }
    // Token slots made so far: the largest token count of any line.
    int TokenCapacity() const { return m_tokenCapacity; }

protected:
    // Splits the text from begin up to its first NUL, CR or LF. The byte at end must be NUL;
    // the text must stay unchanged until the next line is split.
    int SplitText(const char* begin);

    std::vector<std::string_view> m_tokens;  // one slot per token; slots past the count are stale
    int m_tokenCapacity = 0;
    int m_tokenCount = 0;
    std::array<unsigned char, 128> m_delimiters{};  // non-zero: a single-character token
    char m_quoteChar = '"';
    // Counts what the reads found; reading a number changes nothing else.
    mutable std::int64_t m_nonFiniteCount = 0;

private:
    void Emit(int& n, const char* begin, const char* end);

    std::array<unsigned char, 256> m_byteClass{};  // what each byte does, from the two above
    std::string m_lineCopy;                       // the text of SplitLine
    std::deque<std::string> m_tokenCopies;        // the texts of SetToken
};

// Non-zero exactly at ( ) , : ; = [ ] { }.
extern const std::array<unsigned char, 128> SingleCharTokenTable;

// ASCII case-insensitive equality (the C runtime's _stricmp == 0 in the "C" locale).
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);
