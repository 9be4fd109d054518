// The frame's settings without windows: the camera presets and the settings dialog's numbers.
#include "app/logic/CameraPresets.h"
#include "app/logic/CommandIds.h"
#include "app/logic/PropertySettings.h"
#include "scene/CAnimation.h"

#include <gtest/gtest.h>

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
