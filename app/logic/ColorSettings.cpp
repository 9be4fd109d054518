#include "app/logic/ColorSettings.h"

#include "app/logic/IProfile.h"
#include "scene/CCentigrade.h"

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
