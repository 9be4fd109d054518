// Undo and redo of pose edits.
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class UndoRedo : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_lastFrame = 20;
        g_previousLastFrame = 20;
        scene.ResetScene();
        scene.m_animationNames = {"A", "B", "C"};
        scene.m_bones.assign(2, CBone());
        for (CBone& bone : scene.m_bones)
            bone.m_animations.resize(3, bone.m_animations[0]);
        g_currentAnimation = 0;
        g_currentFrame = 0;
        g_editFrame = 0;
    }
    void TearDown() override
    {
        g_lastFrame = 100;
        g_previousLastFrame = 100;
        g_currentAnimation = 0;
        g_currentFrame = 0;
        g_editFrame = 0;
        scene.ResetScene();
    }

    // An edit as the handlers make it: clear redo, push, change every bone's sample at the
    // current animation and frame, then remember the edit frame.
    void Edit(int animation, int frame, float x)
    {
        g_currentAnimation = animation;
        g_currentFrame = frame;
        scene.ClearRedo();
        scene.PushUndoSnapshot();
        for (CBone& bone : scene.m_bones) {
            bone.m_animations[animation][frame].m_translate.m_x = x;
            bone.m_animations[animation][frame].m_key = true;
        }
        g_editFrame = frame;
    }

    float X(int bone, int animation, int frame) const
    {
        return scene.m_bones[bone].m_animations[animation][frame].m_translate.m_x;
    }

    CCentigrade& scene = g_scene;
};

}  // namespace

// The undone edit's samples come back, and the position moves to the edit before it: its
// animation and its frame.
TEST_F(UndoRedo, UndoReturnsToThePreviousEdit)
{
    Edit(0, 5, 1.0f);
    Edit(1, 8, 2.0f);
    scene.Undo();
    EXPECT_EQ(X(0, 1, 8), 0.0f);
    EXPECT_EQ(X(1, 1, 8), 0.0f);
    EXPECT_FALSE(scene.m_bones[0].m_animations[1][8].m_key);
    EXPECT_EQ(X(0, 0, 5), 1.0f);
    EXPECT_EQ(g_currentAnimation, 0);
    EXPECT_EQ(g_currentFrame, 5);
    EXPECT_EQ(g_editFrame, 5);
}

// A single edit: the animation stays the edit's own, the frame becomes the edit frame that
// was current when it was made.
TEST_F(UndoRedo, UndoOfTheOnlyEditKeepsItsAnimation)
{
    g_editFrame = 3;
    g_currentAnimation = 2;
    g_currentFrame = 7;
    scene.ClearRedo();
    scene.PushUndoSnapshot();
    scene.m_bones[0].m_animations[2][7].m_rotate.m_y = 45.0f;
    scene.Undo();
    EXPECT_EQ(g_currentAnimation, 2);
    EXPECT_EQ(g_currentFrame, 3);
    EXPECT_EQ(scene.m_bones[0].m_animations[2][7].m_rotate.m_y, 0.0f);
    EXPECT_TRUE(scene.m_undoAnimations.empty());
}

// Undo then Redo gives back the samples, both stacks and the position right after the edit;
// a new edit after an Undo empties the redo stack.
TEST_F(UndoRedo, RedoRestoresTheEditExactly)
{
    Edit(0, 5, 1.0f);
    Edit(1, 8, 2.0f);
    const std::vector<CBone> afterEdit = scene.m_bones;
    const std::vector<std::int32_t> undoFrames = scene.m_undoFrames;
    const std::vector<std::int32_t> undoEditFrames = scene.m_undoEditFrames;
    const std::vector<std::int32_t> undoAnimations = scene.m_undoAnimations;

    scene.Undo();
    EXPECT_EQ(scene.m_redoFrames.size(), 1u);
    scene.Redo();
    EXPECT_EQ(X(0, 1, 8), 2.0f);
    EXPECT_TRUE(scene.m_bones[1].m_animations[1][8].m_key);
    for (std::size_t b = 0; b < afterEdit.size(); ++b)
        for (int f = 0; f <= 20; ++f)
            EXPECT_EQ(scene.m_bones[b].m_animations[1][f].m_translate.m_x,
                      afterEdit[b].m_animations[1][f].m_translate.m_x);
    EXPECT_EQ(scene.m_undoFrames, undoFrames);
    EXPECT_EQ(scene.m_undoEditFrames, undoEditFrames);
    EXPECT_EQ(scene.m_undoAnimations, undoAnimations);
    EXPECT_TRUE(scene.m_redoFrames.empty());
    EXPECT_EQ(g_currentAnimation, 1);
    EXPECT_EQ(g_currentFrame, 8);
    EXPECT_EQ(g_editFrame, 8);

    scene.Undo();
    scene.Undo();
    EXPECT_EQ(scene.m_redoFrames.size(), 2u);
    Edit(2, 1, 3.0f);
    EXPECT_TRUE(scene.m_redoAnimations.empty());
    EXPECT_TRUE(scene.m_redoPoses.empty());
    scene.Redo();  // nothing left to redo
    EXPECT_EQ(X(0, 2, 1), 3.0f);
}

// What empties both stacks (a new scene, a deleted animation, a new frame count) leaves
// nothing to undo; without bones nothing is pushed; empty stacks undo and redo nothing.
TEST_F(UndoRedo, ClearedOrEmptyStacksDoNothing)
{
    Edit(0, 5, 1.0f);
    scene.Undo();
    scene.ClearUndoRedo();
    EXPECT_TRUE(scene.m_undoPoses.empty());
    EXPECT_TRUE(scene.m_redoPoses.empty());
    g_currentFrame = 9;
    scene.Undo();
    scene.Redo();
    EXPECT_EQ(g_currentFrame, 9);

    std::vector<CBone> bones;
    bones.swap(scene.m_bones);
    scene.PushUndoSnapshot();
    EXPECT_TRUE(scene.m_undoFrames.empty());
    bones.swap(scene.m_bones);

    // An entry pushed while bones existed, undone after they are gone: nothing is restored,
    // but the entry is popped and the position set.
    g_editFrame = 6;
    Edit(1, 4, 2.0f);
    scene.m_bones.clear();
    scene.Undo();
    EXPECT_TRUE(scene.m_undoFrames.empty());
    EXPECT_TRUE(scene.m_redoFrames.empty());
    EXPECT_EQ(g_currentAnimation, 1);
    EXPECT_EQ(g_currentFrame, 6);
}

// The frame of the previous edit may lie beyond the animation that becomes current: the
// current frame is kept within that animation's samples.
TEST_F(UndoRedo, UndoKeepsTheFrameWithinTheAnimation)
{
    for (CBone& bone : scene.m_bones) {
        bone.m_animations[0].resize(41);
        bone.m_animations[1].resize(11);
    }
    Edit(0, 30, 1.0f);  // g_editFrame becomes 30
    g_currentAnimation = 1;
    g_currentFrame = 4;
    scene.ClearRedo();
    scene.PushUndoSnapshot();  // a key-flag command: g_editFrame stays 30
    scene.PushUndoSnapshot();
    scene.Undo();
    EXPECT_EQ(g_currentAnimation, 1);
    EXPECT_EQ(g_currentFrame, 10);
}
