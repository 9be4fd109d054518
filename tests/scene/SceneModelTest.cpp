#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <gtest/gtest.h>

namespace {

// Restores the playback globals a test changes.
class SceneModel : public ::testing::Test {
protected:
    void SetUp() override { g_scene.ResetScene(); }
    void TearDown() override
    {
        g_lastFrame = 100;
        g_previousLastFrame = 100;
        g_currentAnimation = 0;
        g_currentFrame = 0;
        g_scene.ResetScene();
        g_scene.m_materialMaps.clear();
        g_scene.m_loadedModels.clear();
    }
};

void ExpectDefaultVector(const CVector& v, float x, float y, float z)
{
    EXPECT_EQ(v.m_x, x);
    EXPECT_EQ(v.m_y, y);
    EXPECT_EQ(v.m_z, z);
    EXPECT_EQ(v.m_weight, 1.0f);
    EXPECT_EQ(v.m_boneIndex, -1);
    EXPECT_EQ(v.m_mark, 0);
}

}  // namespace

TEST_F(SceneModel, NewBoneHasOneAnimationOfLastFramePlusOneSamples)
{
    CBone bone;
    ASSERT_EQ(bone.m_animations.size(), 1u);
    ASSERT_EQ(bone.m_animations[0].size(), 101u);
    for (std::size_t f = 0; f < bone.m_animations[0].size(); ++f) {
        const CAnimation& s = bone.m_animations[0][f];
        EXPECT_EQ(s.m_key, f == 0) << f;
        ExpectDefaultVector(s.m_scale, 1, 1, 1);
        ExpectDefaultVector(s.m_translate, 0, 0, 0);
    }
    EXPECT_EQ(bone.m_name, "");
    EXPECT_TRUE(bone.m_boundVertices.empty());
    EXPECT_EQ(bone.m_matrix[0], 1.0f);
    EXPECT_EQ(bone.m_matrix[15], 1.0f);

    g_lastFrame = 9;
    EXPECT_EQ(CBone().m_animations[0].size(), 10u);
}

TEST_F(SceneModel, MaterialsByNumberAndDerivedColours)
{
    const CMaterial plain;
    const CMaterial seven(7);
    EXPECT_EQ(plain.m_name, "NoMaterial");
    EXPECT_EQ(plain.m_id, 0);
    EXPECT_EQ(seven.m_name, "NoMaterial_7");
    EXPECT_EQ(seven.m_id, 7);
    for (const CMaterial* m : {&plain, &seven}) {
        EXPECT_EQ(m->m_glDiffuse, (std::array<float, 4>{0.8f, 0.8f, 0.8f, 1.0f}));
        EXPECT_FLOAT_EQ(m->m_glAmbient[0], 0.2f);
        EXPECT_EQ(m->m_glAmbient[3], 1.0f);
        EXPECT_EQ(m->m_glSpecular, (std::array<float, 4>{0, 0, 0, 1}));
        EXPECT_EQ(m->m_glEmission, (std::array<float, 4>{0, 0, 0, 1}));
        EXPECT_EQ(m->m_textureId, 0u);
        EXPECT_EQ(m->m_channels, 3);
        EXPECT_EQ(m->m_pixelFormat, 0x80E0u);
    }
    CMaterial tinted;
    tinted.m_color = {0.5f, 1.0f, 0.0f, 0.8f};
    tinted.m_specular = 0.3f;
    tinted.UpdateGlColors();
    EXPECT_EQ(tinted.m_glDiffuse, (std::array<float, 4>{0.5f, 1.0f, 0.0f, 0.8f}));
    EXPECT_EQ(tinted.m_glAmbient, (std::array<float, 4>{0.125f, 0.25f, 0.0f, 0.8f}));
    EXPECT_EQ(tinted.m_glSpecular, (std::array<float, 4>{0.3f, 0.3f, 0.3f, 0.8f}));
    EXPECT_EQ(tinted.m_glEmission, (std::array<float, 4>{0, 0, 0, 0.8f}));
}

TEST_F(SceneModel, NormalCopiesTakeCoordinatesAndFacesOnly)
{
    CNormal n;
    n.m_x = 1;
    n.m_y = 2;
    n.m_z = 3;
    n.m_weight = 0.5f;
    n.m_boneIndex = 4;
    n.m_mark = 1;
    n.m_faces = {3, 9};
    const CNormal copy(n);
    ExpectDefaultVector(copy, 1, 2, 3);
    EXPECT_EQ(copy.m_faces, (std::vector<std::int32_t>{3, 9}));
}

TEST_F(SceneModel, FitAnimationLengthResetsOnlyFromTheFirstFrame)
{
    CBone bone;
    bone.m_animations[0][5].m_key = true;
    bone.m_animations[0][5].m_translate.m_x = 7;
    bone.m_animations[0][80].m_key = true;

    g_lastFrame = 50;
    bone.FitAnimationLength(0, 101);  // beyond the last frame: only resizes
    ASSERT_EQ(bone.m_animations[0].size(), 51u);
    EXPECT_TRUE(bone.m_animations[0][5].m_key);
    EXPECT_EQ(bone.m_animations[0][5].m_translate.m_x, 7);

    g_lastFrame = 120;
    bone.FitAnimationLength(0, 51);
    ASSERT_EQ(bone.m_animations[0].size(), 121u);
    EXPECT_TRUE(bone.m_animations[0][5].m_key);
    EXPECT_FALSE(bone.m_animations[0][80].m_key);  // dropped by the shrink, new at its defaults
    EXPECT_EQ(bone.m_animations[0][120].m_scale.m_y, 1.0f);

    bone.FitAnimationLength(0, 0);  // resets everything, sample 0 stays a key
    EXPECT_TRUE(bone.m_animations[0][0].m_key);
    EXPECT_FALSE(bone.m_animations[0][5].m_key);
    EXPECT_EQ(bone.m_animations[0][5].m_translate.m_x, 0);

    bone.FitAnimationLength(3, 0);  // an animation the bone does not hold: nothing
    EXPECT_EQ(bone.m_animations.size(), 1u);
}

TEST_F(SceneModel, ResetSceneKeepsMapsViewStateAndPlaybackGlobals)
{
    g_scene.m_materialMaps = {{0, 1}, {1, 0}, {0}};
    g_scene.m_animationNames = {"a", "b", "c"};
    g_scene.m_bones.resize(2);
    g_scene.m_models.resize(1);
    g_scene.m_materials.resize(3);
    g_scene.m_selectedBone = 1;
    g_scene.m_hermite = false;
    g_scene.m_editMode = 4;
    g_scene.m_camera.m_scale = CVector(2, 3, 4);
    g_scene.m_camera.m_rotate = CVector(1, 1, 1);
    g_scene.m_zoom = 300;
    g_scene.m_undoFrames = {1};
    g_scene.m_redoPoses.resize(1);
    g_scene.m_modelPath = "walk.mqo";
    g_currentFrame = 7;
    g_lastFrame = 40;
    g_currentAnimation = 2;

    g_scene.ResetScene();

    EXPECT_EQ(g_scene.m_animationNames, (std::vector<std::string>{"Animation_0"}));
    EXPECT_EQ(g_scene.m_materialMaps.size(), 3u);
    EXPECT_TRUE(g_scene.m_bones.empty());
    EXPECT_TRUE(g_scene.m_models.empty());
    EXPECT_TRUE(g_scene.m_materials.empty());
    EXPECT_EQ(g_scene.m_selectedBone, -1);
    EXPECT_TRUE(g_scene.m_hermite);
    EXPECT_EQ(g_scene.m_editMode, 4);
    EXPECT_EQ(g_scene.m_modelPath, "walk.mqo");
    EXPECT_EQ(g_scene.m_smoothingAngle, 89.5f);
    ExpectDefaultVector(g_scene.m_camera.m_rotate, 20, 10, 0);
    ExpectDefaultVector(g_scene.m_camera.m_translate, 0, 0, -2000);
    EXPECT_EQ(g_scene.m_camera.m_scale.m_x, 2);  // the camera's scale is not the reset's business
    EXPECT_EQ(g_scene.m_zoom, 100);
    EXPECT_EQ(g_scene.m_fieldOfView, 10);
    EXPECT_EQ(g_scene.m_backgroundColor, MakeRgb(30, 65, 90));
    EXPECT_TRUE(g_scene.m_undoFrames.empty());
    EXPECT_TRUE(g_scene.m_redoPoses.empty());
    EXPECT_EQ(g_currentFrame, 7);
    EXPECT_EQ(g_lastFrame, 40);
    EXPECT_EQ(g_currentAnimation, 2);
}

TEST_F(SceneModel, SelectionAccessorsFallBackToTheZeroVector)
{
    EXPECT_EQ(g_scene.GetKeyRotate(0, 0), &g_scene.m_zeroVector);  // no bone selected
    g_scene.m_bones.resize(2);
    g_scene.m_bones[1].m_animations[0][3].m_rotate = CVector(1, 2, 3);
    g_scene.m_selectedBone = 1;
    EXPECT_TRUE(g_scene.IsBoneAndAnimationSelected());
    EXPECT_EQ(g_scene.GetKeyRotate(0, 3)->m_z, 3);
    EXPECT_EQ(g_scene.GetKeyScale(0, 3), &g_scene.m_bones[1].m_animations[0][3].m_scale);
    EXPECT_EQ(g_scene.GetKeyTranslate(0, 101), &g_scene.m_zeroVector);  // outside the samples
    EXPECT_EQ(g_scene.GetKeyTranslate(1, 0), &g_scene.m_zeroVector);    // an animation it lacks
    g_currentAnimation = 1;  // not below the name count
    EXPECT_FALSE(g_scene.IsBoneAndAnimationSelected());
    EXPECT_EQ(g_scene.GetKeyRotate(0, 3), &g_scene.m_zeroVector);

    g_scene.m_materials.resize(2);
    g_scene.m_currentMaterial = 1;
    EXPECT_EQ(g_scene.GetCurrentMaterial(), &g_scene.m_materials[1]);
    g_scene.m_currentMaterial = 2;
    EXPECT_EQ(g_scene.GetCurrentMaterial(), nullptr);
    g_scene.m_currentMaterial = -1;
    EXPECT_EQ(g_scene.GetCurrentMaterial(), nullptr);
}

TEST_F(SceneModel, KeySearchWrapsAroundAndStopsWithinOneLap)
{
    g_scene.m_bones.resize(1);
    g_scene.m_selectedBone = 0;
    std::vector<CAnimation>& samples = g_scene.m_bones[0].m_animations[0];
    samples[30].m_key = true;
    samples[60].m_key = true;

    EXPECT_EQ(g_scene.FindNextKey(0, 10), 30);
    EXPECT_EQ(g_scene.FindNextKey(0, 30), 60);
    EXPECT_EQ(g_scene.FindNextKey(0, 60), 0);  // wraps past the last frame
    EXPECT_EQ(g_scene.FindPreviousKey(0, 45), 30);
    EXPECT_EQ(g_scene.FindPreviousKey(0, 0), 60);  // wraps below 0
    EXPECT_EQ(g_scene.FindPreviousKey(0, 30), 0);

    // No key at all (possible in a scene file): the frame comes back unchanged.
    for (CAnimation& s : samples)
        s.m_key = false;
    EXPECT_EQ(g_scene.FindNextKey(0, 12), 12);
    EXPECT_EQ(g_scene.FindPreviousKey(0, 12), 12);

    g_scene.m_selectedBone = -1;
    EXPECT_EQ(g_scene.FindNextKey(0, 5), 5);
}

TEST_F(SceneModel, RestoreVertexBindingsMatchesByIndexAndDropsTheSurplus)
{
    g_scene.m_models.resize(1);
    g_scene.m_models[0].m_vertices.resize(3);
    g_scene.m_models[0].m_vertices[2].m_weight = 0.25f;
    g_scene.m_loadedModels.resize(2);  // one more model than reloaded
    g_scene.m_loadedModels[0].m_vertices.resize(5);  // two more vertices than reloaded
    for (int v = 0; v < 5; ++v) {
        g_scene.m_loadedModels[0].m_vertices[v].m_boneIndex = v % 2;
        g_scene.m_loadedModels[0].m_vertices[v].m_weight = 0.5f;
    }
    g_scene.m_loadedModels[1].m_vertices.resize(4);
    g_scene.m_bones.resize(2);
    g_scene.m_bones[0].m_id = 0;
    g_scene.m_bones[1].m_id = 1;

    g_scene.RestoreVertexBindings();

    const std::vector<CVector>& v = g_scene.m_models[0].m_vertices;
    EXPECT_EQ(v[0].m_boneIndex, 0);
    EXPECT_EQ(v[1].m_boneIndex, 1);
    EXPECT_EQ(v[2].m_boneIndex, 0);
    EXPECT_EQ(v[2].m_weight, 0.25f);  // only the bone index is taken over
    EXPECT_EQ(g_scene.m_bones[0].m_boundVertices, (std::vector<std::int32_t>{0, 2}));
    EXPECT_EQ(g_scene.m_bones[1].m_boundVertices, (std::vector<std::int32_t>{1}));
}
