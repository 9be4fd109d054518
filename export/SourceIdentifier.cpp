#include "export/SourceIdentifier.h"

#include "platform/Cp932.h"

#include <algorithm>

namespace {

bool IsAsciiLetterOrDigit(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

}  // namespace

std::string SourceIdentifier(std::string_view name, std::span<const std::string_view> reserved,
                             std::string_view extra)
{
    std::string out;
    out.reserve(name.size() + 1);
    for (std::size_t i = 0; i < name.size(); i = cp932::Next(name, i)) {
        const char c = name[i];
        const bool kept = IsAsciiLetterOrDigit(c) || c == '_' || (c != '\0' && extra.find(c) != std::string_view::npos);
        out += kept ? c : '_';
    }
    if (out.empty())
        return "Model";
    if (out[0] >= '0' && out[0] <= '9')
        out.insert(out.begin(), '_');
    if (std::find(reserved.begin(), reserved.end(), out) != reserved.end())
        out += '_';
    return out;
}
