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

// The colour of that key ("LineColor"); null for a key that is no colour.
const ColorSetting* FindColorSetting(const char* key);
// A colour the user chose: into the scene and into the profile. False when the profile could
// not be written (the scene has the colour all the same).
bool StoreColorSetting(IProfile& profile, CCentigrade& scene, const ColorSetting& color, COLORREF value);
