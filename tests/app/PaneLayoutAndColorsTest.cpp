// The pane sizes of the main window and the display colours read from the profile.
#include "app/logic/ColorSettings.h"
#include "app/logic/IProfile.h"
#include "app/logic/SplitterLayout.h"
#include "scene/CCentigrade.h"

#include <gtest/gtest.h>

#include <map>

TEST(PaneLayout, CreationSizesAndTheResizeRule)
{
    const InitialPaneSizes sizes = InitialSizes(600);
    EXPECT_EQ(sizes.leftRowHeight, 200);
    EXPECT_EQ(sizes.viewHeight, 420);
    EXPECT_EQ(sizes.timelineHeight, 180);
    EXPECT_EQ(InitialSizes(701).leftRowHeight, 233);

    EXPECT_EQ(ViewHeightOnResize(FrameSizeType::Restored, 800, 600, true), 430);
    EXPECT_EQ(ViewHeightOnResize(FrameSizeType::Maximized, 101, 201, true), 31);
    EXPECT_FALSE(ViewHeightOnResize(FrameSizeType::Restored, 100, 600, true));
    EXPECT_FALSE(ViewHeightOnResize(FrameSizeType::Restored, 800, 200, true));
    EXPECT_FALSE(ViewHeightOnResize(FrameSizeType::Minimized, 800, 600, true));
    EXPECT_FALSE(ViewHeightOnResize(FrameSizeType::Restored, 800, 600, false));
}

namespace {
class MapProfile : public IProfile {
public:
    long GetProfileInt(const std::string& section, const std::string& key, long defaultValue) const override
    {
        const auto it = values.find(section + "/" + key);
        return it == values.end() ? defaultValue : it->second;
    }
    bool WriteProfileInt(const std::string& section, const std::string& key, long value) override
    {
        values[section + "/" + key] = value;
        return true;
    }
    std::map<std::string, long> values;
};
}  // namespace

TEST(ColorSettings, EmptyProfileGivesTheDefaultsAndStoredKeysWin)
{
    MapProfile profile;
    CCentigrade scene;
    LoadColorSettings(profile, scene);
    EXPECT_EQ(scene.m_backgroundColor, MakeRgb(30, 65, 90));
    EXPECT_EQ(scene.m_selectColor, MakeRgb(77, 191, 217));

    profile.WriteProfileInt("ProgramData", "SelectColor", 0x123456);
    profile.WriteProfileInt("Other", "BoneColor", 0x654321);
    LoadColorSettings(profile, scene);
    EXPECT_EQ(scene.m_selectColor, 0x123456u);
    EXPECT_EQ(scene.m_boneColor, MakeRgb(255, 255, 0));
}
