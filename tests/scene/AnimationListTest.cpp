// The animation list, key flags and material maps.
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class AnimationList : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_lastFrame = 20;
        g_previousLastFrame = 20;
        g_currentAnimation = 0;
        scene.ResetScene();
    }
    void TearDown() override
    {
        g_lastFrame = 100;
        g_previousLastFrame = 100;
        g_currentAnimation = 0;
        scene.ResetScene();
        scene.m_materialMaps.clear();
    }

    void AddBones(int count)
    {
        for (int i = 0; i < count; ++i) {
            scene.m_bones.emplace_back();
            scene.m_bones.back().m_id = i;
        }
    }

    CCentigrade& scene = g_scene;
};

}  // namespace

// A new animation takes the first number free under a case-insensitive comparison, a
// duplicate the first number free under an exact one.
TEST_F(AnimationList, NewAndDuplicateNamesCompareDifferently)
{
    scene.m_animationNames = {"Animation_0", "animation_1"};
    CCentigrade copy = scene;
    scene.AddAnimation();
    EXPECT_EQ(scene.m_animationNames.back(), "Animation_2");
    copy.DuplicateAnimation(0);
    EXPECT_EQ(copy.m_animationNames.back(), "Animation_1");

    scene.m_animationNames = {"Animation_0", "Animation_2"};
    scene.AddAnimation();
    EXPECT_EQ(scene.m_animationNames.back(), "Animation_1");
    scene.m_animationNames = {"Animation_0", "Animation_2"};
    scene.DuplicateAnimation(1);
    EXPECT_EQ(scene.m_animationNames.back(), "Animation_1");
}

// With every number taken, a new animation still gets "Animation_99999"; a duplicate adds
// nothing.
TEST_F(AnimationList, FullNameRange)
{
    AddBones(1);
    scene.m_animationNames.clear();
    for (int i = 0; i <= 99999; ++i)
        scene.m_animationNames.push_back("Animation_" + std::to_string(i));
    scene.m_bones[0].m_animations.resize(scene.m_animationNames.size());
    scene.DuplicateAnimation(0);
    EXPECT_EQ(scene.m_animationNames.size(), 100000u);
    EXPECT_EQ(scene.m_bones[0].m_animations.size(), 100000u);
    scene.AddAnimation();
    EXPECT_EQ(scene.m_animationNames.size(), 100001u);
    EXPECT_EQ(scene.m_animationNames.back(), "Animation_99999");
    EXPECT_EQ(scene.m_bones[0].m_animations.size(), 100001u);
}

// Every bone gets the new animation with g_lastFrame + 1 reset samples, sample 0 a key; a
// scene without bones only gains the name.
TEST_F(AnimationList, AddGivesEveryBoneResetSamples)
{
    scene.AddAnimation();
    EXPECT_EQ(scene.m_animationNames.size(), 2u);

    AddBones(2);
    scene.AddAnimation();
    ASSERT_EQ(scene.m_animationNames.size(), 3u);
    for (const CBone& bone : scene.m_bones) {
        ASSERT_EQ(bone.m_animations.size(), 2u);  // each bone was built with one
        const std::vector<CAnimation>& samples = bone.m_animations[1];
        ASSERT_EQ(samples.size(), 21u);
        EXPECT_TRUE(samples[0].m_key);
        EXPECT_FALSE(samples[1].m_key);
        EXPECT_EQ(samples[20].m_scale.m_z, 1.0f);
    }
}

TEST_F(AnimationList, DuplicateCopiesSamplesAndKeys)
{
    AddBones(2);
    CAnimation& sample = scene.m_bones[1].m_animations[0][7];
    sample.m_key = true;
    sample.m_rotate = CVector(10, 20, 30);
    scene.DuplicateAnimation(0);
    ASSERT_EQ(scene.m_bones[1].m_animations.size(), 2u);
    const CAnimation& copied = scene.m_bones[1].m_animations[1][7];
    EXPECT_TRUE(copied.m_key);
    EXPECT_EQ(copied.m_rotate.m_y, 20.0f);
    for (int f = 1; f <= 20; ++f)
        EXPECT_EQ(scene.m_bones[0].m_animations[1][f].m_key, scene.m_bones[0].m_animations[0][f].m_key);

    // A source that names no animation adds nothing.
    scene.DuplicateAnimation(5);
    scene.DuplicateAnimation(-1);
    EXPECT_EQ(scene.m_animationNames.size(), 2u);
    EXPECT_EQ(scene.m_bones[0].m_animations.size(), 2u);
}

// Deleting moves later animations down; deleting the only one leaves a fresh
// "Animation_0" with reset samples.
TEST_F(AnimationList, DeleteNeverLeavesTheListEmpty)
{
    AddBones(1);
    scene.m_animationNames = {"Walk", "Run"};
    scene.m_bones[0].m_animations.resize(2, scene.m_bones[0].m_animations[0]);
    scene.m_bones[0].m_animations[1][3].m_translate.m_x = 5.0f;
    scene.DeleteAnimation(0);
    ASSERT_EQ(scene.m_animationNames, std::vector<std::string>{"Run"});
    ASSERT_EQ(scene.m_bones[0].m_animations.size(), 1u);
    EXPECT_EQ(scene.m_bones[0].m_animations[0][3].m_translate.m_x, 5.0f);

    scene.DeleteAnimation(0);
    ASSERT_EQ(scene.m_animationNames, std::vector<std::string>{"Animation_0"});
    ASSERT_EQ(scene.m_bones[0].m_animations.size(), 1u);
    const std::vector<CAnimation>& samples = scene.m_bones[0].m_animations[0];
    ASSERT_EQ(samples.size(), 21u);
    EXPECT_TRUE(samples[0].m_key);
    EXPECT_EQ(samples[3].m_translate.m_x, 0.0f);
}

TEST_F(AnimationList, NameClashesSkipTheItemBeingRenamed)
{
    scene.m_animationNames = {"Walk", "Run"};
    g_currentAnimation = 0;
    EXPECT_FALSE(scene.AnimationNameExists("WALK"));
    EXPECT_TRUE(scene.AnimationNameExists("run"));

    AddBones(2);
    scene.m_bones[0].m_name = "Arm";
    scene.m_bones[1].m_name = "Leg";
    scene.m_selectedBone = 1;
    EXPECT_TRUE(scene.BoneNameExists("arm"));
    EXPECT_FALSE(scene.BoneNameExists("LEG"));
    scene.m_selectedBone = -1;
    EXPECT_TRUE(scene.BoneNameExists("LEG"));

    scene.m_materials.resize(2);
    scene.m_materials[0].m_name = "Skin";
    scene.m_materials[1].m_name = "Cloth";
    scene.m_currentMaterial = 0;
    EXPECT_TRUE(scene.MaterialNameExists("cloth"));
    EXPECT_FALSE(scene.MaterialNameExists("skin"));
}

// Frame 0 always stays a key; the single-bone setter needs a selection; frames beyond the
// samples are ignored.
TEST_F(AnimationList, KeyFlagSetters)
{
    AddBones(2);
    scene.m_selectedBone = 1;
    scene.SetKeyFlag(0, 0, false);
    scene.SetKeyFlagAllBones(0, 0, false);
    EXPECT_TRUE(scene.m_bones[0].m_animations[0][0].m_key);
    EXPECT_TRUE(scene.m_bones[1].m_animations[0][0].m_key);

    scene.SetKeyFlag(0, 4, true);
    EXPECT_TRUE(scene.m_bones[1].m_animations[0][4].m_key);
    EXPECT_FALSE(scene.m_bones[0].m_animations[0][4].m_key);
    scene.SetKeyFlagAllBones(0, 6, true);
    EXPECT_TRUE(scene.m_bones[0].m_animations[0][6].m_key);
    EXPECT_TRUE(scene.m_bones[1].m_animations[0][6].m_key);

    scene.m_selectedBone = -1;
    scene.SetKeyFlag(0, 6, false);
    EXPECT_TRUE(scene.m_bones[1].m_animations[0][6].m_key);

    scene.m_selectedBone = 1;
    scene.SetKeyFlag(0, 21, true);
    scene.SetKeyFlagAllBones(3, 5, true);
    EXPECT_EQ(scene.m_bones[1].m_animations[0].size(), 21u);
}

// After a reload with one more material every map gains an entry equal to its index and
// keeps the user's entries; with one fewer every map loses its last entry.
TEST_F(AnimationList, MaterialMapsFollowTheMaterials)
{
    scene.m_animationNames = {"A", "B"};
    scene.m_materials.resize(2);
    scene.ResetMaterialMaps();
    ASSERT_EQ(scene.m_materialMaps, (std::vector<std::vector<std::int32_t>>{{0, 1}, {0, 1}}));
    scene.m_materialMaps[1] = {1, 1};

    scene.m_materials.resize(3);
    scene.FitMaterialMaps();
    EXPECT_EQ(scene.m_materialMaps, (std::vector<std::vector<std::int32_t>>{{0, 1, 2}, {1, 1, 2}}));
    scene.m_materials.resize(2);
    scene.FitMaterialMaps();
    EXPECT_EQ(scene.m_materialMaps, (std::vector<std::vector<std::int32_t>>{{0, 1}, {1, 1}}));

    scene.m_animationNames.push_back("C");
    scene.FitMaterialMaps();
    EXPECT_EQ(scene.m_materialMaps.back(), (std::vector<std::int32_t>{0, 1}));
    scene.AddMaterialMap();
    EXPECT_EQ(scene.m_materialMaps.size(), 4u);
    scene.ResetMaterialMaps();
    EXPECT_EQ(scene.m_materialMaps, (std::vector<std::vector<std::int32_t>>(3, {0, 1})));
}
