// The settings dialog's values: the smoothing angle of the normals and the range of the weight
// map, as text in the dialog and in the scene.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class CCentigrade;

struct PropertySettings {
    float smoothingAngle = 0.0f;
    std::int32_t weightMapRange = 0;
};

PropertySettings CurrentPropertySettings(const CCentigrade& scene);

// The texts the dialog shows: the angle with six significant digits ("89.5"), the range as a
// plain integer. Numbers always in the "C" locale.
std::string FormatAngleText(float angle);
std::string FormatRangeText(std::int32_t range);

// A number typed by the user: spaces around it are allowed, nothing else. Nothing for empty
// text, trailing characters, a value that is not finite as a float, or an integer outside
// 32 bits.
std::optional<float> ParseAngleText(std::string_view text);
std::optional<std::int32_t> ParseRangeText(std::string_view text);

// What OK does: the scene's and every model's smoothing angle, the normals recomputed, then
// the weight map rebuilt with the new range.
void ApplyPropertySettings(const PropertySettings& settings, CCentigrade& scene);
