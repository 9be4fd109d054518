// The six display colours of the 3D view in the profile: section "ProgramData", one key per
// colour, each a 0x00BBGGRR integer.
#pragma once

#include "platform/Color.h"

#include <span>

class CCentigrade;
class IProfile;

inline constexpr const char* kProfileSection = "ProgramData";

struct ColorSetting {
    const char* key;              // "BgColor"
    COLORREF CCentigrade::*member;  // where the scene keeps it
    COLORREF defaultColor;
};

// The six colours in the order they are loaded: background, lines, selected lines, bones,
// selected bone, selection frame.
std::span<const ColorSetting> ColorSettings();

// Reads every colour from the profile into the scene; a missing key gives the default.
void LoadColorSettings(const IProfile& profile, CCentigrade& scene);
