// The frame's settings without windows: the camera presets, the settings dialog's numbers,
// the pane sizes of the main window and the display colours read from the profile.
#include "app/logic/CameraPresets.h"
#include "app/logic/ColorSettings.h"
#include "app/logic/CommandIds.h"
#include "app/logic/IProfile.h"
#include "app/logic/PropertySettings.h"
#include "app/logic/SplitterLayout.h"
#include "scene/CCentigrade.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

TEST(CameraPresets, TurnTheCameraAndKeepItsDistance)
{
    const struct {
        int id;
        float panY, rx, ry, rz;
    } rows[] = {
        {ID_CAMERA_PRESET_F1, 7, 0, -90, 0}, {ID_CAMERA_PRESET_SHIFT_F1, 7, 0, 90, 0},
        {ID_CAMERA_PRESET_F2, 0, 90, 0, 0},  {ID_CAMERA_PRESET_SHIFT_F2, 0, -90, 0, 0},
        {ID_CAMERA_PRESET_F3, 7, 0, 0, 0},   {ID_CAMERA_PRESET_SHIFT_F3, 7, 0, 180, 0},
    };
    // Fresh vectors: weight 1, no bone, no mark.
    const auto fields = [](const CVector& v) { return std::tuple(v.m_x, v.m_y, v.m_z, v.m_weight, v.m_boneIndex, v.m_mark); };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.id);
        CAnimation camera;
        camera.m_translate = CVector(5, 7, -2000);
        camera.m_translate.m_weight = 0.5f;
        camera.m_rotate = CVector(11, 12, 13);
        camera.m_rotate.m_boneIndex = 4;
        ASSERT_TRUE(ApplyCameraPreset(row.id, camera));
        EXPECT_EQ(fields(camera.m_translate), std::tuple(0.0f, row.panY, -2000.0f, 1.0f, -1, 0));
        EXPECT_EQ(fields(camera.m_rotate), std::tuple(row.rx, row.ry, row.rz, 1.0f, -1, 0));
    }
    CAnimation camera;
    camera.m_rotate = CVector(1, 2, 3);
    EXPECT_FALSE(ApplyCameraPreset(ID_SETTINGS_CAMERA_RESET, camera));
    EXPECT_EQ(camera.m_rotate.m_x, 1.0f);
}

TEST(PropertySettings, TypedNumbersAreTakenWholeOrRefused)
{
    EXPECT_EQ(ParseAngleText("  -30.5 "), -30.5f);
    EXPECT_EQ(ParseAngleText(".5"), 0.5f);
    for (const char* bad : {"", "  ", "abc", "12abc", "1,5", "nan", "inf", "1e50", "-"})
        EXPECT_FALSE(ParseAngleText(bad)) << bad;
    EXPECT_EQ(ParseRangeText(" -2 "), -2);
    EXPECT_EQ(ParseRangeText("2147483647"), 2147483647);
    for (const char* bad : {"", "2.5", "x", "2147483648", "-2147483649", "99999999999999999999"})
        EXPECT_FALSE(ParseRangeText(bad)) << bad;
    // The text shown reads back as the value it shows.
    EXPECT_EQ(FormatAngleText(60.1f), "60.1");
    EXPECT_EQ(ParseAngleText(FormatAngleText(0.25f)), 0.25f);
}

TEST(PaneLayout, CreationSizesAndTheResizeRule)
{
    const InitialPaneSizes sizes = InitialSizes(600);
    EXPECT_EQ(sizes.leftRowHeight, 200);
    EXPECT_EQ(sizes.viewHeight, 420);
    EXPECT_EQ(sizes.timelineHeight, 180);
    EXPECT_EQ(InitialSizes(701).leftRowHeight, 233);

    // The 3D view gets the panes' height less 170, whatever the bars took of the client area,
    // or less what the timeline form needs when that is more.
    const auto resize = [](FrameSizeType type, int cx, int cy, bool right, int panes, int needs) {
        return ViewHeightOnResize({type, cx, cy, right, panes, needs});
    };
    EXPECT_EQ(resize(FrameSizeType::Restored, 800, 600, true, 600, 0), 430);
    EXPECT_EQ(resize(FrameSizeType::Restored, 800, 600, true, 470, 120), 300);  // two rows of toolbars
    EXPECT_EQ(resize(FrameSizeType::Restored, 800, 600, true, 470, 190), 275);
    EXPECT_EQ(resize(FrameSizeType::Maximized, 101, 201, true, 201, 0), 31);
    EXPECT_FALSE(resize(FrameSizeType::Restored, 100, 600, true, 600, 0));
    EXPECT_FALSE(resize(FrameSizeType::Restored, 800, 200, true, 200, 0));
    EXPECT_FALSE(resize(FrameSizeType::Minimized, 800, 600, true, 600, 0));
    EXPECT_FALSE(resize(FrameSizeType::Restored, 800, 600, false, 600, 0));
}

TEST(PaneLayout, DockedToolbarsWrapIntoTheRowsTheSideHasRoomFor)
{
    // {row, position, length} per bar, the room, the rows shown.
    struct Case {
        std::vector<DockedBar> bars;
        int room;
        std::vector<int> rows;
    };
    const Case cases[]{
        {{{0, 0, 600}, {0, 1, 560}}, 1280, {0, 0}},
        {{{0, 0, 600}, {0, 1, 560}}, 800, {0, 1}},
        {{{0, 1, 560}, {0, 0, 600}}, 800, {1, 0}},         // by position, not by order given
        {{{0, 0, 900}, {0, 1, 560}}, 800, {0, 1}},         // a bar longer than the room keeps its row
        {{{2, 0, 100}, {5, 0, 100}}, 800, {0, 1}},         // rows without gaps
        {{{0, 0, 300}, {0, 400, 300}, {0, 800, 200}}, 500, {0, 1, 1}},
        {{}, 800, {}},
    };
    for (const auto& [bars, room, rows] : cases)
        EXPECT_EQ(WrapBarRows(bars, room), rows) << room;
}

TEST(PaneLayout, DockedToolbarsStayInsideTheirSideAndLongOnesAreCut)
{
    // Bars as {row, position, length}, the room, and where they are shown.
    const std::tuple<std::vector<DockedBar>, int, std::vector<ShownBar>> cases[]{
        {{{0, 250, 300}}, 553, {{0, 250, 300}}},                              // fits where it was put
        {{{0, 250, 400}}, 553, {{0, 153, 400}}},                              // moved back to fit
        {{{0, 250, 659}}, 553, {{0, 0, 553}}},                                // longer than its side
        {{{0, 0, 600}, {0, 700, 560}}, 1200, {{0, 0, 600}, {0, 640, 560}}},  // a shared row
        {{{0, 0, 300}, {0, 400, 300}, {0, 800, 200}}, 500, {{0, 0, 300}, {1, 0, 300}, {1, 300, 200}}},
    };
    for (const auto& [bars, room, shown] : cases)
        EXPECT_TRUE(PlaceBars(bars, room) == shown) << room;
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
