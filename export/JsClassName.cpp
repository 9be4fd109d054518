#include "export/JsClassName.h"

#include "export/ExportCommon.h"
#include "export/Utf8CodePoint.h"
#include "platform/Cp932.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

struct Range {
    char32_t first;
    char32_t last;
};

// The letters of code page 932 that may start a name (Unicode ID_Start): Greek, Cyrillic,
// the Angstrom sign, Roman numerals, the iteration marks, kana with their sound marks,
// CJK ideographs, full-width Latin letters and half-width katakana.
constexpr std::array<Range, 16> kStart{{
    {0x0391, 0x03C9}, {0x0400, 0x045F}, {0x212B, 0x212B}, {0x2160, 0x2188}, {0x3005, 0x3007},
    {0x3041, 0x3096}, {0x309B, 0x309F}, {0x30A1, 0x30FA}, {0x30FC, 0x30FF}, {0x3400, 0x4DBF},
    {0x4E00, 0x9FFF}, {0xF900, 0xFA6D}, {0xFA70, 0xFAD9}, {0xFF21, 0xFF3A}, {0xFF41, 0xFF5A},
    {0xFF66, 0xFF9F},
}};
// Further characters that may follow the first: full-width digits and low line.
constexpr std::array<Range, 2> kContinue{{{0xFF10, 0xFF19}, {0xFF3F, 0xFF3F}}};

// Reserved words of scripts and classes, literals, the names strict code may not bind, the
// global values a declaration cannot replace, and the engine's own names.
constexpr std::array<std::string_view, 54> kReserved{
    "await", "break", "case", "catch", "class", "const", "continue", "debugger", "default", "delete", "do",
    "else", "enum", "export", "extends", "false", "finally", "for", "function", "if", "import", "in",
    "instanceof", "new", "null", "return", "super", "switch", "this", "throw", "true", "try", "typeof",
    "var", "void", "while", "with", "yield", "let", "static", "implements", "interface", "package",
    "private", "protected", "public", "arguments", "eval", "undefined", "NaN", "Infinity", "Model3D",
    "BoneModel3D", "initTexture"};

bool InRanges(char32_t c, const auto& ranges)
{
    return std::any_of(ranges.begin(), ranges.end(), [c](const Range& r) { return c >= r.first && c <= r.last; });
}

bool IsAsciiLetter(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$'; }
bool IsDigit(char32_t c) { return (c >= '0' && c <= '9') || (c >= 0xFF10 && c <= 0xFF19); }
bool CanStart(char32_t c) { return IsAsciiLetter(c) || InRanges(c, kStart); }
bool CanFollow(char32_t c) { return CanStart(c) || IsDigit(c) || InRanges(c, kContinue); }

}  // namespace

std::string JsClassName(const std::string& cp932Path)
{
    const std::string utf8 = cp932::ToUtf8(ExportClassName(cp932Path));
    std::string name;
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t length = 1;
        const char32_t c = NextCodePoint(std::string_view(utf8).substr(i), length);
        if (name.empty() && IsDigit(c))
            name += '_';
        if (name.empty() ? CanStart(c) : CanFollow(c))
            name.append(utf8, i, length);
        else
            name += '_';
        i += length;
    }
    if (std::find(kReserved.begin(), kReserved.end(), name) != kReserved.end())
        name += '_';
    return name;
}
