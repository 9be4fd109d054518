// Reading UTF-8 text a character at a time, as the names made of CP932 text are checked.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

// The code point at the start of non-empty, well-formed UTF-8 (what the CP932 conversion
// gives), and its length in bytes. A sequence cut short ends with the text.
inline char32_t NextCodePoint(std::string_view text, std::size_t& length)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    length = std::min<std::size_t>(lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4, text.size());
    char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (std::size_t i = 1; i < length; ++i)
        c = (c << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
    return c;
}
