#include "app/logic/HelpFile.h"

#include <filesystem>
#include <string_view>
#include <system_error>

std::vector<std::string> HelpFileCandidates(const std::string& programFolder)
{
    const std::filesystem::path folder(programFolder);
    return {(folder / kHelpFileName).lexically_normal().string(),
            (folder / ".." / "share" / "kinemorphix" / kHelpFileName).lexically_normal().string()};
}

std::optional<std::string> FindHelpFile(const std::string& programFolder)
{
    for (const std::string& candidate : HelpFileCandidates(programFolder)) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(candidate, ec))
            return candidate;
    }
    return std::nullopt;
}

namespace {

bool IsWide(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) || (c >= 0x3041 && c <= 0x33FF) ||
           (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
           (c >= 0xFF00 && c <= 0xFF9F) || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

bool IsOneOf(char32_t c, std::u32string_view set)
{
    return set.find(c) != std::u32string_view::npos;
}

}  // namespace

bool MayWrapBetween(char32_t before, char32_t after)
{
    // Closing marks, small kana and the long-vowel mark stay with what they follow; opening
    // marks stay with what follows them.
    constexpr std::u32string_view kNoLineStart =
        U"、。，．・：；？！゛゜ヽヾゝゞ々〻ー―‐〜～ぁぃぅぇぉっゃゅょゎゕゖァィゥェォッャュョヮヵヶㇰㇱㇲㇳㇴㇵㇶㇷㇸㇹㇺㇻㇼㇽㇾㇿ"
        U"」』）］｝〕〉》】〙〗〟’”｠»ｧｨｩｪｫｬｭｮｯｰ｡､｣)]}.,:;!?%";
    constexpr std::u32string_view kNoLineEnd = U"「『（［｛〔〈《【〘〖〝‘“｟«｢([{";
    return (IsWide(before) || IsWide(after)) && !IsOneOf(after, kNoLineStart) && !IsOneOf(before, kNoLineEnd) &&
           before > U' ' && after > U' ';
}
