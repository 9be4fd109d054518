#include "app/logic/ColorSettings.h"

#include "app/logic/IProfile.h"
#include "scene/CCentigrade.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

const ColorSetting kColors[] = {
    {"BgColor", &CCentigrade::m_backgroundColor, 0x5A411E},
    {"LineColor", &CCentigrade::m_lineColor, 0xB27FE5},
    {"SelectedLineColor", &CCentigrade::m_selectedLineColor, 0xB2E57F},
    {"BoneColor", &CCentigrade::m_boneColor, 0x00FFFF},
    {"SelectedBoneColor", &CCentigrade::m_selectedBoneColor, 0x0000FF},
    {"SelectColor", &CCentigrade::m_selectColor, 0xD9BF4D},
};

}  // namespace

std::span<const ColorSetting> ColorSettings() { return kColors; }

void LoadColorSettings(const IProfile& profile, CCentigrade& scene)
{
    for (const ColorSetting& color : kColors) {
        const long value = profile.GetProfileInt(kProfileSection, color.key, static_cast<long>(color.defaultColor));
        scene.*color.member = static_cast<COLORREF>(value);
    }
}

const ColorSetting* FindColorSetting(const char* key)
{
    const auto it = std::find_if(std::begin(kColors), std::end(kColors),
                                 [key](const ColorSetting& c) { return std::strcmp(c.key, key) == 0; });
    return it == std::end(kColors) ? nullptr : &*it;
}

bool StoreColorSetting(IProfile& profile, CCentigrade& scene, const ColorSetting& color, COLORREF value)
{
    scene.*color.member = value;
    return profile.WriteProfileInt(kProfileSection, color.key, static_cast<long>(value));
}
