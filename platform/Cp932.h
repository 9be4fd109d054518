// Code page 932 text: the lead-byte test, stepping by character, the case-insensitive
// multibyte comparison used for names, and conversion to and from UTF-8.
// Scene and model text stays CP932 bytes in std::string; UTF-8 appears only at the
// widget and file-system boundaries.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cp932 {

// True for the first byte of a double-byte character (0x81-0x9F, 0xE0-0xFC).
constexpr bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
inline bool IsLeadByte(char c) { return IsLeadByte(static_cast<unsigned char>(c)); }

// Position of the character after the one starting at pos; a lead byte at the very end of
// the text counts as one character. Never goes past text.size().
std::size_t Next(std::string_view text, std::size_t pos);
// Position of the character that ends just before pos (0 stays 0). Scans from the start,
// so a trail byte is never mistaken for the start of a character.
std::size_t Prev(std::string_view text, std::size_t pos);

// Case-insensitive comparison by character: ASCII letters and the full-width Latin
// capitals fold to lower case; double-byte characters compare as one unit. <0, 0, >0.
int CompareNoCase(std::string_view a, std::string_view b);
inline bool EqualsNoCase(std::string_view a, std::string_view b) { return CompareNoCase(a, b) == 0; }

// Conversions. Bytes that do not convert become '?' (never dropped silently, never fail).
std::string ToUtf8(std::string_view cp932Text);
std::string FromUtf8(std::string_view utf8Text);
std::string FromUtf16(std::u16string_view text);

}  // namespace cp932
