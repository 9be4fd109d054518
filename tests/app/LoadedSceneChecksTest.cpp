// Counts of a scene file that disagree with each other or with the model read beside it.
#include "app/logic/LoadedSceneChecks.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <gtest/gtest.h>

TEST(LoadedSceneChecks, AnimationsOfEveryBoneTakeBoneZerosLengthWithAKeyAtFrameZero)
{
    CCentigrade scene;
    scene.m_animationNames = {"Walk", "Run"};
    scene.m_bones.resize(3);
    scene.m_bones[0].m_animations.assign(2, std::vector<CAnimation>(5));
    scene.m_bones[0].m_animations[1].resize(3);
    scene.m_bones[1].m_animations.assign(1, std::vector<CAnimation>(9));  // too long, one animation short
    scene.m_bones[1].m_animations[0][4].m_translate.m_x = 7.0f;
    scene.m_bones[2].m_animations.assign(3, std::vector<CAnimation>(2));  // one animation too many

    FitAnimationLengths(scene);
    for (const CBone& bone : scene.m_bones) {
        ASSERT_EQ(bone.m_animations.size(), 2u);
        EXPECT_EQ(bone.m_animations[0].size(), 5u);
        EXPECT_EQ(bone.m_animations[1].size(), 3u);
        EXPECT_TRUE(bone.m_animations[0][0].m_key);
        EXPECT_TRUE(bone.m_animations[1][0].m_key);
        EXPECT_FALSE(bone.m_animations[0][4].m_key);
    }
    EXPECT_EQ(scene.m_bones[1].m_animations[0][4].m_translate.m_x, 7.0f);
    EXPECT_EQ(scene.m_bones[2].m_animations[0][4].m_scale.m_x, 1.0f);  // padded samples are reset ones

    // A file without animation names still gets one; bone 0 without samples borrows the longest.
    scene.m_animationNames.clear();
    scene.m_bones[0].m_animations[0].clear();
    scene.m_bones[1].m_animations[0].resize(8);
    FitAnimationLengths(scene);
    ASSERT_EQ(scene.m_animationNames.size(), 1u);
    for (const CBone& bone : scene.m_bones)
        EXPECT_EQ(bone.m_animations.at(0).size(), 8u);
}

TEST(LoadedSceneChecks, BindingsToBonesThatDoNotExistAreDropped)
{
    CCentigrade scene;
    scene.m_bones.resize(2);
    scene.m_models.resize(1);
    for (int bone : {-1, 0, 1, 2, -5, 1000})
        scene.m_models[0].m_vertices.emplace_back(0.0f, 0.0f, 0.0f).m_boneIndex = bone;
    ClipVertexBindings(scene);
    std::vector<int> bones;
    for (const CVector& v : scene.m_models[0].m_vertices)
        bones.push_back(v.m_boneIndex);
    EXPECT_EQ(bones, (std::vector<int>{-1, 0, 1, -1, -1, -1}));
}
