#include "export/FileClassName.h"

#include "export/Utf8CodePoint.h"
#include "import/PathFunctions.h"
#include "platform/Cp932.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace {

enum class Kind : unsigned char { None, Letter, LetterNumber, Digit, Connector, Currency };

struct Range {
    char32_t first;
    char32_t last;
    Kind kind;
};

// The Unicode general categories that identifiers are made of (L*, Nl, Nd, Pc, Sc), over the
// blocks that code page 932 reaches; each range is of one kind throughout. In order.
constexpr auto kRanges = std::to_array<Range>({
    {0x0024, 0x0024, Kind::Currency},     {0x0030, 0x0039, Kind::Digit},      {0x0041, 0x005A, Kind::Letter},
    {0x005F, 0x005F, Kind::Connector},    {0x0061, 0x007A, Kind::Letter},     {0x0391, 0x03A1, Kind::Letter},
    {0x03A3, 0x03A9, Kind::Letter},       {0x03B1, 0x03C9, Kind::Letter},     {0x0400, 0x0481, Kind::Letter},
    {0x212B, 0x212B, Kind::Letter},       {0x2160, 0x2182, Kind::LetterNumber}, {0x3005, 0x3006, Kind::Letter},
    {0x3007, 0x3007, Kind::LetterNumber}, {0x3041, 0x3096, Kind::Letter},     {0x309D, 0x309F, Kind::Letter},
    {0x30A1, 0x30FA, Kind::Letter},       {0x30FC, 0x30FF, Kind::Letter},     {0x4E00, 0x9FFC, Kind::Letter},
    {0xF900, 0xFA6D, Kind::Letter},       {0xFA70, 0xFAD9, Kind::Letter},     {0xFF04, 0xFF04, Kind::Currency},
    {0xFF10, 0xFF19, Kind::Digit},        {0xFF21, 0xFF3A, Kind::Letter},     {0xFF3F, 0xFF3F, Kind::Connector},
    {0xFF41, 0xFF5A, Kind::Letter},       {0xFF66, 0xFF9F, Kind::Letter},     {0xFFE0, 0xFFE1, Kind::Currency},
    {0xFFE5, 0xFFE6, Kind::Currency},
});

Kind KindOf(char32_t c)
{
    const auto it = std::upper_bound(kRanges.begin(), kRanges.end(), c,
                                     [](char32_t value, const Range& r) { return value < r.first; });
    if (it == kRanges.begin() || c > std::prev(it)->last)
        return Kind::None;
    return std::prev(it)->kind;
}

std::string_view LanguageName(SourceLanguage language)
{
    switch (language) {
    case SourceLanguage::Java: return "Java";
    case SourceLanguage::Kotlin: return "Kotlin";
    case SourceLanguage::ActionScript: return "ActionScript";
    }
    return {};
}

// Why the UTF-8 name is no class name of the language, or nothing.
std::string Refusal(std::string_view name, SourceLanguage language, std::span<const std::string_view> reserved)
{
    const std::string languageName(LanguageName(language));
    if (name.empty())
        return "ファイル名に拡張子の前の名前がありません。";
    const std::string quoted = "ファイル名「" + std::string(name) + "」";
    for (std::size_t i = 0; i < name.size();) {
        std::size_t length = 1;
        const char32_t c = NextCodePoint(name.substr(i), length);
        const std::string shown(name.substr(i, length));
        if (i == 0 && !IsIdentifierStart(language, c) && IsIdentifierPart(language, c))
            return quoted + "は「" + shown + "」で始まっていますが、" + languageName +
                   "のクラス名はこの文字で始められません。";
        if (!IsIdentifierPart(language, c) || (i == 0 && !IsIdentifierStart(language, c)))
            return quoted + "には" + languageName + "のクラス名に使えない文字「" + shown + "」があります。";
        i += length;
    }
    const bool underscoresOnly = name.find_first_not_of('_') == std::string_view::npos;
    if (std::find(reserved.begin(), reserved.end(), name) != reserved.end() ||
        (language == SourceLanguage::Kotlin && underscoresOnly))
        return quoted + "は" + languageName + "の予約語か、書き出すクラスが使う名前です。";
    return {};
}

}  // namespace

bool IsIdentifierStart(SourceLanguage language, char32_t c)
{
    const Kind kind = KindOf(c);
    switch (language) {
    case SourceLanguage::Java:
        return kind == Kind::Letter || kind == Kind::LetterNumber || kind == Kind::Currency || kind == Kind::Connector;
    case SourceLanguage::Kotlin:
        return kind == Kind::Letter || c == '_';
    case SourceLanguage::ActionScript:
        return kind == Kind::Letter || kind == Kind::LetterNumber || c == '$' || c == '_';
    }
    return false;
}

bool IsIdentifierPart(SourceLanguage language, char32_t c)
{
    const Kind kind = KindOf(c);
    switch (language) {
    case SourceLanguage::Java:
    case SourceLanguage::Kotlin:
        return IsIdentifierStart(language, c) || kind == Kind::Digit;
    case SourceLanguage::ActionScript:
        return IsIdentifierStart(language, c) || kind == Kind::Digit || kind == Kind::Connector;
    }
    return false;
}

FileClassName ClassNameOfFile(const std::string& cp932Path, SourceLanguage language,
                              std::span<const std::string_view> reserved)
{
    std::string base;
    GetFileBaseName(base, cp932Path);
    FileClassName result{cp932::ToUtf8(base), {}};
    result.refusal = Refusal(result.name, language, reserved);
    if (!result.refusal.empty())
        result.refusal += "\n書き出すクラスにはファイル名と同じ名前が付くので、" + std::string(LanguageName(language)) +
                          "のクラス名に使える名前のファイルに書き出してください。";
    return result;
}
