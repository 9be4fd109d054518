#include "export/ColladaNames.h"

#include "platform/Cp932.h"
#include "scene/CCentigrade.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <unordered_set>

namespace {

struct Range {
    char32_t first;
    char32_t last;
};

// Letters that may begin a name: ASCII letters and the Greek, Cyrillic, kana and ideographs
// of the code page (all of them letters for every edition of the XML name rules).
constexpr std::array<Range, 12> kStartLetters{{
    {U'A', U'Z'},
    {U'a', U'z'},
    {0x0391, 0x03A1},
    {0x03A3, 0x03A9},
    {0x03B1, 0x03C9},
    {0x0401, 0x0401},
    {0x0410, 0x044F},
    {0x0451, 0x0451},
    {0x3041, 0x3094},
    {0x30A1, 0x30FA},
    {0x3007, 0x3007},
    {0x4E00, 0x9FA5},
}};
// Further characters that may follow the first one.
constexpr std::array<Range, 6> kFollowing{{
    {U'0', U'9'},
    {U'-', U'.'},
    {0x3005, 0x3005},
    {0x3099, 0x309A},
    {0x309D, 0x309E},
    {0x30FC, 0x30FE},
}};

bool InRanges(char32_t c, const auto& ranges)
{
    for (const Range& r : ranges)
        if (c >= r.first && c <= r.last)
            return true;
    return false;
}

// Decodes one UTF-8 character at text[i] (the converter only produces valid sequences) and
// advances i past it.
char32_t NextCodePoint(const std::string& text, std::size_t& i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    length = std::min(length, text.size() - i);
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k)
        c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    i += length;
    return c;
}

// The ids derived from a model's name M, and from a material's name N.
constexpr std::array<std::string_view, 9> kModelSuffixes{
    "", "-lib", "-lib-positions", "-lib-positions-array", "-lib-normals", "-lib-normals-array",
    "-lib-map1", "-lib-map1-array", "-lib-vertices"};
constexpr std::array<std::string_view, 2> kMaterialSuffixes{"", "-fx"};

// The first of base, base_2, base_3, ... none of whose ids is taken; its ids are then taken.
std::string Reserve(const std::string& base, std::span<const std::string_view> suffixes, std::string_view prefixed,
                    std::unordered_set<std::string>& taken)
{
    std::string name = base;
    for (int n = 2;; ++n) {
        bool free = !taken.contains(std::string(prefixed) + name);
        for (const std::string_view suffix : suffixes)
            free = free && !taken.contains(name + std::string(suffix));
        if (free)
            break;
        name = base + "_" + std::to_string(n);
    }
    if (!prefixed.empty())
        taken.insert(std::string(prefixed) + name);
    for (const std::string_view suffix : suffixes)
        taken.insert(name + std::string(suffix));
    return name;
}

}  // namespace

std::string ColladaNames::NcName(std::string_view cp932Text, std::string_view fallback)
{
    const std::string utf8 = cp932::ToUtf8(cp932Text.substr(0, cp932Text.find('\0')));
    std::string name;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t begin = i;
        const char32_t c = NextCodePoint(utf8, i);
        const bool letter = c == U'_' || InRanges(c, kStartLetters);
        if (letter || (!name.empty() && InRanges(c, kFollowing))) {
            name.append(utf8, begin, i - begin);
        } else if (name.empty() && InRanges(c, kFollowing)) {
            name += '_';  // a digit, '-', '.' or a mark cannot begin a name
            name.append(utf8, begin, i - begin);
        } else {
            name += '_';
        }
    }
    return name.empty() ? std::string(fallback) : name;
}

ColladaNames::ColladaNames(const CCentigrade& scene)
{
    std::unordered_set<std::string> taken{std::string(kVisualSceneId)};
    for (const CMaterial& material : scene.m_materials)
        m_materials.push_back(Reserve(NcName(material.m_name, "Material"), kMaterialSuffixes, "Texture_", taken));
    for (const CModel& model : scene.m_models)
        m_models.push_back(Reserve(NcName(model.m_name, "Model"), kModelSuffixes, {}, taken));
}

std::string XmlText(std::string_view cp932Text)
{
    const std::string utf8 = cp932::ToUtf8(cp932Text.substr(0, cp932Text.find('\0')));
    std::string out;
    out.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default:
            out += static_cast<unsigned char>(c) < 0x20 && c != '\t' ? ' ' : c;
            break;
        }
    }
    return out;
}
