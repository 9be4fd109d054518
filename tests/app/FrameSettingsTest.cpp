// The frame's settings without windows: camera presets, the settings dialog's numbers and
// what OK does with them.
#include "app/logic/CameraPresets.h"
#include "app/logic/CommandIds.h"
#include "app/logic/PropertySettings.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "support/VectorChecks.h"

#include <gtest/gtest.h>

using testsupport::ExpectDefaultVector;

TEST(CameraPresets, TurnTheCameraAndKeepItsDistance)
{
    struct Row {
        int id;
        float panY, rx, ry, rz;
    };
    const Row rows[] = {
        {ID_CAMERA_PRESET_F1, 7, 0, -90, 0}, {ID_CAMERA_PRESET_SHIFT_F1, 7, 0, 90, 0},
        {ID_CAMERA_PRESET_F2, 0, 90, 0, 0},  {ID_CAMERA_PRESET_SHIFT_F2, 0, -90, 0, 0},
        {ID_CAMERA_PRESET_F3, 7, 0, 0, 0},   {ID_CAMERA_PRESET_SHIFT_F3, 7, 0, 180, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        CAnimation camera;
        camera.m_translate = CVector(5, 7, -2000);
        camera.m_translate.m_weight = 0.5f;
        camera.m_rotate = CVector(11, 12, 13);
        camera.m_rotate.m_boneIndex = 4;
        camera.m_scale = CVector(2, 2, 2);
        ASSERT_TRUE(ApplyCameraPreset(row.id, camera));
        ExpectDefaultVector(camera.m_translate, 0, row.panY, -2000);
        ExpectDefaultVector(camera.m_rotate, row.rx, row.ry, row.rz);
        EXPECT_EQ(camera.m_scale.m_x, 2.0f);
    }

    CAnimation camera;
    camera.m_rotate = CVector(1, 2, 3);
    EXPECT_FALSE(ApplyCameraPreset(ID_SETTINGS_CAMERA_RESET, camera));
    EXPECT_EQ(camera.m_rotate.m_x, 1.0f);
}

TEST(PropertySettings, TypedNumbersAreTakenWholeOrRefused)
{
    EXPECT_EQ(ParseAngleText("89.5"), 89.5f);
    EXPECT_EQ(ParseAngleText("  -30 "), -30.0f);
    EXPECT_EQ(ParseAngleText("1e2"), 100.0f);
    EXPECT_EQ(ParseAngleText(".5"), 0.5f);
    for (const char* bad : {"", "  ", "abc", "12abc", "1,5", "nan", "inf", "1e50", "-"})
        EXPECT_FALSE(ParseAngleText(bad)) << bad;

    EXPECT_EQ(ParseRangeText("3"), 3);
    EXPECT_EQ(ParseRangeText(" -2 "), -2);
    EXPECT_EQ(ParseRangeText("2147483647"), 2147483647);
    for (const char* bad : {"", "2.5", "x", "2147483648", "-2147483649", "99999999999999999999"})
        EXPECT_FALSE(ParseRangeText(bad)) << bad;

    // Shown text reads back as the value it shows.
    EXPECT_EQ(FormatAngleText(89.5f), "89.5");
    EXPECT_EQ(FormatAngleText(60.1f), "60.1");
    EXPECT_EQ(ParseAngleText(FormatAngleText(0.25f)), 0.25f);
    EXPECT_EQ(FormatRangeText(-7), "-7");
}

TEST(PropertySettings, OkSetsEveryModelsAngleAndRebuildsTheWeights)
{
    // Two bones, the child's vertices touching the parent's in one face.
    CCentigrade scene;
    for (int b = 0; b < 2; ++b) {
        CBone bone;
        bone.m_id = b;
        bone.m_parent = b - 1;
        scene.m_bones.push_back(bone);
    }
    for (int m = 0; m < 2; ++m) {
        CModel model;
        for (int v = 0; v < 4; ++v) {
            model.m_vertices.emplace_back(static_cast<float>(v), static_cast<float>(v % 2), 0.0f);
            model.m_vertices.back().m_boneIndex = v < 2 ? 0 : 1;
            model.m_vertices.back().m_weight = 0.25f;
        }
        CFace face;
        face.m_indices = {0, 1, 2, 3};
        model.m_faces.push_back(face);
        model.m_smoothingAngle = 10.0f;
        scene.m_models.push_back(model);
    }

    ApplyPropertySettings({45.0f, 1}, scene);
    EXPECT_EQ(scene.m_smoothingAngle, 45.0f);
    EXPECT_EQ(scene.m_weightMapRange, 1);
    for (const CModel& model : scene.m_models) {
        EXPECT_EQ(model.m_smoothingAngle, 45.0f);
        EXPECT_EQ(model.m_vertices[0].m_weight, 1.0f);  // the root bone stays rigid
        EXPECT_EQ(model.m_vertices[2].m_weight, 0.5f);  // the child's border ring
    }

    ApplyPropertySettings({45.0f, 0}, scene);
    for (const CModel& model : scene.m_models)
        EXPECT_EQ(model.m_vertices[2].m_weight, 1.0f);
}
