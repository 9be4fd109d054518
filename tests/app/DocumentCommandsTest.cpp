// The document's commands without windows: update rules in the states that matter, undo and
// redo, navigation, playback, key editing with the key-frame dialog's choices, and which
// commands mark the document modified.
#include "TestDoubles.h"
#include "app/logic/CSceneDocument.h"
#include "app/logic/CommandIds.h"
#include "app/logic/CommandTable.h"
#include "app/logic/DocumentCommandRules.h"
#include "app/logic/DocumentCommands.h"
#include "platform/Messages.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

using namespace doccommands;

namespace {

// Two bones; animation 0 of 11 frames with keys at 0 and 10 (translate x 0 and 100 on every
// bone), animation 1 of 6 frames with only frame 0 a key. Linear in-betweening, bone 0
// selected, frame 4 current.
class DocumentCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_scene.ResetScene();
        g_lastFrame = 10;
        g_scene.m_animationNames = {"A", "B"};
        g_scene.m_bones.assign(2, CBone());
        for (CBone& bone : g_scene.m_bones) {
            bone.m_animations.push_back(std::vector<CAnimation>(6));
            bone.m_animations[1][0].m_key = true;
            bone.m_animations[0][10].m_key = true;
            bone.m_animations[0][10].m_translate.m_x = 100;
        }
        g_scene.m_hermite = false;
        g_scene.m_selectedBone = 0;
        g_scene.InterpolateAllBones();
        g_currentAnimation = 0;
        g_currentFrame = 4;
        g_playing = g_loopPlayback = false;
        doc.AddView(&log);
        doc.SetModifiedFlag(false);
        log.hints.clear();
    }
    void TearDown() override
    {
        g_scene.ResetScene();
        g_lastFrame = 100;
        g_currentFrame = g_currentAnimation = 0;
        g_playing = g_loopPlayback = false;
    }

    static CAnimation& Sample(int bone, int frame, int animation = 0)
    {
        return g_scene.m_bones[bone].m_animations[animation][frame];
    }
    static CommandState State(int id) { return FindDocumentCommandRule(id)->state(); }

    RecordingHost host;
    CSceneDocument doc{host};
    HintLog log;
};

}  // namespace

TEST_F(DocumentCommands, RulesFollowSelectionUndoStacksEditModeAndPlayback)
{
    const int keyCommands[] = {ID_CONTROL_NEXT_KEY, ID_CONTROL_PREV_KEY, ID_CONTROL_KEY_FRAME_DIALOG,
                               ID_CONTROL_ADD_KEY, ID_CONTROL_ADD_KEY_ALL, ID_CONTROL_DELETE_KEY,
                               ID_CONTROL_DELETE_KEY_ALL};
    for (const auto& [bone, animation] : std::initializer_list<std::pair<int, int>>{{0, 0}, {-1, 0}, {2, 0}, {0, 2}}) {
        g_scene.m_selectedBone = bone;
        g_currentAnimation = animation;
        for (int id : keyCommands)
            EXPECT_EQ(State(id).enabled, bone == 0 && animation == 0) << id << " " << bone << " " << animation;
    }
    for (int id : {ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CUT, ID_EDIT_UNDO, ID_EDIT_REDO})
        EXPECT_FALSE(State(id).enabled) << id;
    SetUp();
    SetKey(doc, false, true);
    EXPECT_TRUE(State(ID_EDIT_UNDO).enabled && !State(ID_EDIT_REDO).enabled);
    Undo(doc);
    EXPECT_TRUE(!State(ID_EDIT_UNDO).enabled && State(ID_EDIT_REDO).enabled);

    // The vertex-select item stays checked while a rubber band is drawn (mode 2).
    g_scene.m_editMode = EditModeRubberBand;
    EXPECT_TRUE(State(ID_OPERATION_SELECT_VERTEX).checked);
    EXPECT_FALSE(State(ID_OPERATION_SELECT_CONNECTED).checked);
    for (bool playing : {false, true})
        for (bool looping : {false, true}) {
            g_playing = playing;
            g_loopPlayback = looping;
            EXPECT_EQ(State(ID_CONTROL_PLAY).checked, playing && !looping);
            EXPECT_EQ(State(ID_CONTROL_LOOP).checked, playing && looping);
        }
    for (const DocumentCommandRule& rule : DocumentCommandRules())
        EXPECT_NE(FindCommand(rule.id), nullptr) << rule.id;
}

TEST_F(DocumentCommands, NavigationTurnsRoundAtBothEndsAndPlayRestartsOnlyFromTheLastFrame)
{
    g_currentFrame = 10;
    StepFrame(doc, 1);
    EXPECT_EQ(g_currentFrame, 0);
    StepFrame(doc, -1);
    EXPECT_EQ(g_currentFrame, 10);
    GoToKey(doc, true);
    EXPECT_EQ(g_currentFrame, 0);
    GoToKey(doc, false);
    EXPECT_EQ(g_currentFrame, 10);
    // Animation 1: only frame 0 is a key; from 0 the search turns full circle.
    g_currentAnimation = 1;
    g_lastFrame = 5;
    for (int from : {3, 0})
        for (bool forward : {true, false}) {
            g_currentFrame = from;
            GoToKey(doc, forward);
            EXPECT_EQ(g_currentFrame, 0) << from << forward;
        }
    EXPECT_EQ(log.hints, std::vector<int>(8, HintFrameChanged));

    SetUp();
    Sample(0, 5).m_key = true;
    Sample(0, 5).m_translate.m_x = 10;
    StartPlayback(doc, true);
    EXPECT_FLOAT_EQ(Sample(0, 4).m_translate.m_x, 8);  // in-betweened first
    g_currentFrame = 10;
    StartPlayback(doc, true);
    EXPECT_EQ(g_currentFrame, 10);
    StartPlayback(doc, false);
    EXPECT_EQ(g_currentFrame, 0);
    EXPECT_EQ(log.hints, (std::vector<int>{4, 4, 4}));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocumentCommands, KeyCommandsUndoAndRedoMarkModifiedAndFollowTheLastFrame)
{
    // Deleting the key at 10 in-betweens: later frames copy the new key at 4.
    SetKey(doc, false, true);
    Sample(0, 4).m_translate.m_x = 7;
    g_currentFrame = 10;
    SetKey(doc, true, false);
    EXPECT_FLOAT_EQ(Sample(0, 10).m_translate.m_x, 7);
    EXPECT_FLOAT_EQ(Sample(1, 10).m_translate.m_x, 0);
    EXPECT_TRUE(doc.IsModified());

    // An edit in animation 1 (6 frames) undone and redone while animation 0 is current.
    SetUp();
    g_currentAnimation = 1;
    g_currentFrame = 3;
    SetKey(doc, true, true);
    for (const auto& [step, key] : {std::pair{&Undo, false}, {&Redo, true}}) {
        g_currentAnimation = 0;
        g_lastFrame = 10;
        doc.SetModifiedFlag(false);
        step(doc);
        EXPECT_EQ(g_lastFrame, 5);
        EXPECT_EQ(Sample(1, 3, 1).m_key, key);
        EXPECT_TRUE(doc.IsModified());
    }
    EXPECT_EQ(log.hints, (std::vector<int>{HintKeysChanged, HintUndoRedo, HintUndoRedo}));
}

TEST_F(DocumentCommands, KeyFrameDialogMakesFrameFAKeyUndoablyAndRefusesFramesOutOfRange)
{
    // From a non-key (4) and a key frame (10), for the selected bone and for all.
    for (const auto& [current, frame, action] :
         std::initializer_list<std::tuple<int, int, int>>{{4, 7, 0}, {10, 7, 0}, {4, 7, 1}, {10, 2, 1}}) {
        SetUp();
        g_currentFrame = current;
        ASSERT_TRUE(EditKeyFrame(doc, frame, action));
        for (int bone : {0, 1}) {
            const bool copied = bone == 0 || action == KeyFrameAddAllBones;
            EXPECT_EQ(Sample(bone, frame).m_key, copied);
            EXPECT_FLOAT_EQ(Sample(bone, frame).m_translate.m_x, (copied ? current : frame) * 10.0f);
        }
        EXPECT_EQ(doc.m_keyFrameAction, action);
        EXPECT_TRUE(doc.IsModified());
        Undo(doc);  // brings back frame F, not the frame that was current
        EXPECT_FALSE(Sample(0, frame).m_key);
    }
    for (int action : {KeyFrameDeleteSelectedBone, KeyFrameDeleteAllBones}) {
        SetUp();
        ASSERT_TRUE(EditKeyFrame(doc, 10, action));
        EXPECT_FLOAT_EQ(Sample(0, 10).m_translate.m_x, 0);
        EXPECT_EQ(Sample(1, 10).m_key, action == KeyFrameDeleteSelectedBone);
    }

    SetUp();
    doc.m_keyFrameAction = KeyFrameAddSelectedBone;
    CapturingMessageSink messages;
    for (int frame : {0, -1, 11})
        EXPECT_FALSE(EditKeyFrame(doc, frame, KeyFrameAddAllBones));
    EXPECT_EQ(messages.messages,
              std::vector<std::string>(3, "フレームには 1 から 10 までの値を入力してください。"));
    EXPECT_TRUE(g_scene.m_undoAnimations.empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_keyFrameAction, 0);
}

TEST_F(DocumentCommands, DisplayAndCameraCommandsLeaveTheDocumentUnmodifiedTheHermiteSwitchDoesNot)
{
    ToggleDisplay(doc, &CCentigrade::m_showBones);
    SetEditMode(doc, EditModeRotate);
    ToggleCameraFollow(g_scene);
    g_scene.m_backgroundColor = MakeRgb(1, 2, 3);
    g_scene.m_zoom = 300;
    ResetCamera(g_scene);
    EXPECT_FLOAT_EQ(g_scene.m_zoom, 100);
    EXPECT_EQ(g_scene.m_backgroundColor, MakeRgb(1, 2, 3));
    EXPECT_FALSE(doc.IsModified());

    Sample(0, 5).m_key = true;
    ToggleHermite(doc);
    EXPECT_NE(Sample(0, 8).m_translate.m_x, 60);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(DocumentCommands, BackgroundModelsAddUpAndUnreadableFilesSayWhy)
{
    const std::string data = KMX_TEST_DATA_DIR;
    const std::string file = data + "/corpus/garlic-flavor+mqo_loader/shodai_dsan.mqo";
    std::string reason;
    ASSERT_TRUE(LoadBackgroundModel(file, reason));
    const std::size_t models = g_scene.m_backgroundModels.size();
    ASSERT_GT(models, 0u);
    EXPECT_EQ(g_scene.m_backgroundModels[0].m_faces[0].m_cornerNormals.size(),
              g_scene.m_backgroundModels[0].m_faces[0].m_indices.size());
    ASSERT_TRUE(LoadBackgroundModel(file, reason));
    EXPECT_FALSE(LoadBackgroundModel(data + "/corpus/nutti+blender-mqo/simple.mqo", reason));
    EXPECT_EQ(reason, "対応していない形式のファイルです。");
    EXPECT_EQ(g_scene.m_backgroundModels.size(), 2 * models);
}
