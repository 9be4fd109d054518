#include "app/logic/PropertySettings.h"

#include "scene/CCentigrade.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

std::string_view Trimmed(std::string_view text)
{
    const auto space = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && space(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && space(text.back()))
        text.remove_suffix(1);
    return text;
}

// strtod and strtoll need a terminated string; digits only where they start a number.
template <typename Parse>
bool ParseWhole(std::string_view text, Parse parse)
{
    const std::string copy(Trimmed(text));
    if (copy.empty() || copy.find_first_of("0123456789") == std::string::npos)
        return false;
    char* end = nullptr;
    errno = 0;
    parse(copy.c_str(), &end);
    return errno == 0 && end == copy.c_str() + copy.size();
}

}  // namespace

PropertySettings CurrentPropertySettings(const CCentigrade& scene)
{
    return {scene.m_smoothingAngle, scene.m_weightMapRange};
}

std::string FormatAngleText(float angle)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*g", std::numeric_limits<float>::digits10, static_cast<double>(angle));
    return text;
}

std::string FormatRangeText(std::int32_t range)
{
    return std::to_string(range);
}

std::optional<float> ParseAngleText(std::string_view text)
{
    double value = 0.0;
    if (!ParseWhole(text, [&](const char* s, char** end) { value = std::strtod(s, end); }))
        return std::nullopt;
    const auto angle = static_cast<float>(value);
    if (!std::isfinite(value) || !std::isfinite(angle))
        return std::nullopt;
    return angle;
}

std::optional<std::int32_t> ParseRangeText(std::string_view text)
{
    long long value = 0;
    if (!ParseWhole(text, [&](const char* s, char** end) { value = std::strtoll(s, end, 10); }))
        return std::nullopt;
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

void ApplyPropertySettings(const PropertySettings& settings, CCentigrade& scene)
{
    scene.m_smoothingAngle = settings.smoothingAngle;
    for (CModel& model : scene.m_models)
        model.m_smoothingAngle = settings.smoothingAngle;
    scene.RecomputeNormals();
    scene.SetWeightMapRange(settings.weightMapRange);
}
