#include "platform/Cp932.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <memory>
#include <stdexcept>

namespace cp932 {

std::size_t Next(std::string_view text, std::size_t pos)
{
    if (pos >= text.size())
        return text.size();
    if (IsLeadByte(text[pos]) && pos + 1 < text.size())
        return pos + 2;
    return pos + 1;
}

std::size_t Prev(std::string_view text, std::size_t pos)
{
    if (pos > text.size())
        pos = text.size();
    std::size_t start = 0;
    for (std::size_t p = 0; p < pos;) {
        start = p;
        p = Next(text, p);
    }
    return start;
}

namespace {

// One character as a number: a byte, or lead << 8 | trail; case folded.
unsigned FoldedChar(std::string_view s, std::size_t pos, std::size_t& next)
{
    next = Next(s, pos);
    const unsigned char c = static_cast<unsigned char>(s[pos]);
    if (next - pos == 2) {
        unsigned w = (unsigned(c) << 8) | static_cast<unsigned char>(s[pos + 1]);
        if (w >= 0x8260 && w <= 0x8279)  // full-width A-Z
            w += 0x21;
        return w;
    }
    if (c >= 'A' && c <= 'Z')
        return c + ('a' - 'A');
    return c;
}

}  // namespace

int CompareNoCase(std::string_view a, std::string_view b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        std::size_t ni = 0, nj = 0;
        const unsigned ca = FoldedChar(a, i, ni);
        const unsigned cb = FoldedChar(b, j, nj);
        if (ca != cb)
            return ca < cb ? -1 : 1;
        i = ni;
        j = nj;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

namespace {

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};

using UnitLength = std::size_t (*)(const char* p, std::size_t left);

std::size_t Cp932Unit(const char* p, std::size_t left) { return IsLeadByte(*p) && left > 1 ? 2 : 1; }
std::size_t Utf16Unit(const char* p, std::size_t left)
{
    if (left < 2)
        return left;
    const unsigned hi = static_cast<unsigned char>(p[1]);
    return left >= 4 && hi >= 0xD8 && hi <= 0xDB ? 4 : 2;
}
std::size_t Utf8Unit(const char* p, std::size_t left)
{
    const unsigned char c = static_cast<unsigned char>(*p);
    std::size_t n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    std::size_t k = 1;
    while (k < n && k < left && (static_cast<unsigned char>(p[k]) & 0xC0) == 0x80)
        ++k;
    return k;
}

// Converts with iconv; a character that does not convert becomes '?'.
std::string Convert(const char* to, const char* from, const char* data, std::size_t size, UnitLength unitLength)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    std::unique_ptr<void, IconvCloser> guard(cd);

    std::string out;
    out.reserve(size * 3 / 2 + 8);
    char buffer[4096];
    char* in = const_cast<char*>(data);
    std::size_t inLeft = size;
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr - buffer);
        if (r != static_cast<std::size_t>(-1))
            continue;
        if (errno == E2BIG)
            continue;
        // EILSEQ or EINVAL (incomplete at the end): replace one unit and go on.
        out += '?';
        const std::size_t skip = std::min(unitLength(in, inLeft), inLeft);
        in += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

}  // namespace

std::string ToUtf8(std::string_view text)
{
    // Plain ASCII is the same in both.
    bool ascii = true;
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) { ascii = false; break; }
    if (ascii)
        return std::string(text);
    return Convert("UTF-8", "CP932", text.data(), text.size(), Cp932Unit);
}

std::string FromUtf8(std::string_view text)
{
    bool ascii = true;
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) { ascii = false; break; }
    if (ascii)
        return std::string(text);
    return Convert("CP932", "UTF-8", text.data(), text.size(), Utf8Unit);
}

std::string FromUtf16(std::u16string_view text)
{
    return Convert("CP932", "UTF-16LE", reinterpret_cast<const char*>(text.data()), text.size() * 2, Utf16Unit);
}

}  // namespace cp932
