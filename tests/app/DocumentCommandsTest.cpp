// The document's commands without windows: their update rules in the states that matter,
// undo and redo, frame and key navigation, playback, the key commands and the key-frame
// dialog's edit, and which commands mark the document modified.
#include "app/logic/CSceneDocument.h"
#include "app/logic/CommandIds.h"
#include "app/logic/DocumentCommandRules.h"
#include "app/logic/DocumentCommands.h"
#include "app/logic/IDocumentHost.h"
#include "app/logic/IDocumentView.h"
#include "app/logic/IProfile.h"
#include "app/logic/TextFieldKeys.h"
#include "platform/Messages.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

using namespace doccommands;

namespace {

class NullHost : public IDocumentHost {
public:
    void LoadColorSettings() override {}
    void ApplyBackgroundColor() override {}
    void SetupCamera() override {}
    void AddToRecentFiles(const std::string&) override {}
    void OnTitleChanged() override {}
};

class HintLog : public IDocumentView {
public:
    void OnUpdate(int hint) override { hints.push_back(hint); }
    std::vector<int> hints;
};

class MapProfile : public IProfile {
public:
    long GetProfileInt(const std::string& section, const std::string& key, long fallback) const override
    {
        const auto it = values.find(section + "/" + key);
        return it == values.end() ? fallback : it->second;
    }
    bool WriteProfileInt(const std::string& section, const std::string& key, long value) override
    {
        values[section + "/" + key] = value;
        return true;
    }
    std::map<std::string, long> values;
};

// Two bones, animation 0 of 11 frames (0..10) and animation 1 of 6; linear in-betweening;
// bone 0 selected, frame 4 current. Frames 0 and 10 of animation 0 are keys, translate x 0
// and 100 on every bone.
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
        g_editFrame = 0;
        g_playing = false;
        g_loopPlayback = false;
        doc.AddView(&log);
        doc.SetModifiedFlag(false);
        log.hints.clear();
    }
    void TearDown() override
    {
        g_scene.ResetScene();
        g_lastFrame = 100;
        g_currentFrame = 0;
        g_currentAnimation = 0;
        g_playing = false;
        g_loopPlayback = false;
    }

    static CAnimation& Sample(int bone, int frame, int animation = 0)
    {
        return g_scene.m_bones[bone].m_animations[animation][frame];
    }
    static CommandState State(int id) { return FindDocumentCommandRule(id)->state(); }

    NullHost host;
    CSceneDocument doc{host};
    HintLog log;
};

}  // namespace

TEST_F(DocumentCommands, RulesFollowSelectionStacksModesAndPlayback)
{
    const int selectionCommands[] = {ID_CONTROL_NEXT_KEY, ID_CONTROL_PREV_KEY, ID_CONTROL_KEY_FRAME_DIALOG,
                                     ID_CONTROL_ADD_KEY, ID_CONTROL_ADD_KEY_ALL, ID_CONTROL_DELETE_KEY,
                                     ID_CONTROL_DELETE_KEY_ALL};
    for (int id : selectionCommands)
        EXPECT_TRUE(State(id).enabled) << id;
    for (int selected : {-1, 2}) {
        g_scene.m_selectedBone = selected;
        for (int id : selectionCommands)
            EXPECT_FALSE(State(id).enabled) << id << " with bone " << selected;
    }
    g_scene.m_selectedBone = 0;
    g_currentAnimation = 2;
    EXPECT_FALSE(State(ID_CONTROL_ADD_KEY).enabled);
    g_currentAnimation = 0;
    g_scene.m_bones.clear();
    EXPECT_FALSE(State(ID_CONTROL_KEY_FRAME_DIALOG).enabled);
    for (int id : {ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CUT})
        EXPECT_FALSE(State(id).enabled);

    EXPECT_FALSE(State(ID_EDIT_UNDO).enabled);
    EXPECT_FALSE(State(ID_EDIT_REDO).enabled);
    SetUp();
    SetKey(doc, false, true);
    EXPECT_TRUE(State(ID_EDIT_UNDO).enabled);
    EXPECT_FALSE(State(ID_EDIT_REDO).enabled);
    Undo(doc);
    EXPECT_FALSE(State(ID_EDIT_UNDO).enabled);
    EXPECT_TRUE(State(ID_EDIT_REDO).enabled);

    const std::map<int, int> modeItems = {{ID_OPERATION_SELECT_VERTEX, 1}, {ID_OPERATION_TRANSLATE, 3},
                                          {ID_OPERATION_ROTATE, 4}, {ID_OPERATION_SCALE, 5},
                                          {ID_OPERATION_SELECT_CONNECTED, 6}};
    for (int mode = 1; mode <= 6; ++mode) {
        g_scene.m_editMode = mode;
        for (const auto& [id, itemMode] : modeItems)
            EXPECT_EQ(State(id).checked, itemMode == mode || (itemMode == 1 && mode == 2)) << id << " in " << mode;
    }

    for (bool playing : {false, true})
        for (bool looping : {false, true}) {
            g_playing = playing;
            g_loopPlayback = looping;
            EXPECT_EQ(State(ID_CONTROL_PLAY).checked, playing && !looping);
            EXPECT_EQ(State(ID_CONTROL_LOOP).checked, playing && looping);
            EXPECT_TRUE(State(ID_CONTROL_STOP).enabled);
        }
}

TEST_F(DocumentCommands, FrameAndKeyNavigationTurnRoundAtBothEnds)
{
    g_currentFrame = 10;
    StepFrame(doc, 1);
    EXPECT_EQ(g_currentFrame, 0);
    StepFrame(doc, -1);
    EXPECT_EQ(g_currentFrame, 10);
    GoToFirstFrame(doc);
    EXPECT_EQ(g_currentFrame, 0);
    GoToLastFrame(doc);
    EXPECT_EQ(g_currentFrame, 10);
    EXPECT_EQ(log.hints, std::vector<int>(4, HintFrameChanged));

    // Keys at 0 and 10 of animation 0.
    g_currentFrame = 4;
    GoToKey(doc, true);
    EXPECT_EQ(g_currentFrame, 10);
    GoToKey(doc, true);
    EXPECT_EQ(g_currentFrame, 0);
    GoToKey(doc, false);
    EXPECT_EQ(g_currentFrame, 10);

    // Animation 1 (frames 0..5): only frame 0 is a key.
    g_currentAnimation = 1;
    g_lastFrame = 5;
    for (int from : {3, 0}) {
        for (bool forward : {true, false}) {
            g_currentFrame = from;
            GoToKey(doc, forward);
            EXPECT_EQ(g_currentFrame, 0) << from << forward;
        }
    }
}

TEST_F(DocumentCommands, PlayRestartsOnlyFromTheLastFrameAndInBetweensFirst)
{
    Sample(0, 5).m_key = true;
    Sample(0, 5).m_translate.m_x = 10;
    StartPlayback(doc, true);
    EXPECT_EQ(g_currentFrame, 4);
    EXPECT_TRUE(g_loopPlayback);
    EXPECT_FLOAT_EQ(Sample(0, 4).m_translate.m_x, 8);
    g_currentFrame = 10;
    StartPlayback(doc, true);
    EXPECT_EQ(g_currentFrame, 10);
    StartPlayback(doc, false);
    EXPECT_EQ(g_currentFrame, 0);
    EXPECT_FALSE(g_loopPlayback);
    g_currentFrame = 7;
    StartPlayback(doc, false);
    EXPECT_EQ(g_currentFrame, 7);
    StopPlayback(doc);
    EXPECT_EQ(log.hints, (std::vector<int>{4, 4, 4, 4, 5}));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocumentCommands, KeyCommandsPushOneUndoEntryAndMarkTheDocumentModified)
{
    SetKey(doc, false, true);
    EXPECT_TRUE(Sample(0, 4).m_key);
    EXPECT_FALSE(Sample(1, 4).m_key);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(g_scene.m_undoAnimations.size(), 1u);
    EXPECT_EQ(log.hints.back(), HintKeysChanged);

    // Deleting the key at 10 in-betweens: frames after the key at 4 copy it.
    Sample(0, 4).m_translate.m_x = 7;
    g_currentFrame = 10;
    SetKey(doc, true, false);
    EXPECT_FALSE(Sample(0, 10).m_key);
    EXPECT_FALSE(Sample(1, 10).m_key);
    EXPECT_FLOAT_EQ(Sample(0, 10).m_translate.m_x, 7);
    EXPECT_FLOAT_EQ(Sample(1, 10).m_translate.m_x, 0);

    // Frame 0 stays a key.
    g_currentFrame = 0;
    SetKey(doc, true, false);
    EXPECT_TRUE(Sample(0, 0).m_key);
    EXPECT_TRUE(Sample(1, 0).m_key);
}

TEST_F(DocumentCommands, UndoAndRedoRestoreSamplesFollowTheLastFrameAndMarkModified)
{
    // An edit in animation 1 (6 frames) made while animation 0 (11 frames) was current.
    g_currentAnimation = 1;
    g_lastFrame = 5;
    g_currentFrame = 3;
    SetKey(doc, true, true);
    g_currentAnimation = 0;
    g_lastFrame = 10;
    doc.SetModifiedFlag(false);

    Undo(doc);
    EXPECT_EQ(g_currentAnimation, 1);
    EXPECT_EQ(g_lastFrame, 5);
    EXPECT_FALSE(Sample(0, 3, 1).m_key);
    EXPECT_TRUE(doc.IsModified());
    g_currentAnimation = 0;
    g_lastFrame = 10;
    doc.SetModifiedFlag(false);
    Redo(doc);
    EXPECT_EQ(g_currentAnimation, 1);
    EXPECT_EQ(g_currentFrame, 3);
    EXPECT_EQ(g_lastFrame, 5);
    EXPECT_TRUE(Sample(1, 3, 1).m_key);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(log.hints.back(), HintUndoRedo);
    EXPECT_EQ(std::count(log.hints.begin(), log.hints.end(), HintUndoRedo), 2);
}

TEST_F(DocumentCommands, KeyFrameDialogEditsFrameFAsAKeyAndRefusesFramesOutOfRange)
{
    struct Case {
        int current;  // 4 is not a key, 10 is
        int frame;
        int action;
    };
    for (const Case c : {Case{4, 7, 0}, Case{10, 7, 0}, Case{4, 7, 1}, Case{10, 2, 1}}) {
        SetUp();
        Sample(0, c.current).m_translate.m_y = 5;
        g_currentFrame = c.current;
        ASSERT_TRUE(EditKeyFrame(doc, c.frame, c.action));
        // The copied pose survives the in-betweening that follows.
        for (int bone = 0; bone < 2; ++bone) {
            const bool copied = bone == 0 || c.action == KeyFrameAddAllBones;
            EXPECT_EQ(Sample(bone, c.frame).m_key, copied);
            if (copied) {
                EXPECT_FLOAT_EQ(Sample(bone, c.frame).m_translate.m_x, c.current * 10.0f) << bone;
            }
        }
        EXPECT_FLOAT_EQ(Sample(0, c.frame).m_translate.m_y, 5);
        EXPECT_EQ(doc.m_keyFrameAction, c.action);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(log.hints.back(), HintKeyFramesEdited);
        // Undo brings back frame F, not only the frame that was current.
        Undo(doc);
        EXPECT_EQ(Sample(0, c.frame).m_key, false);
        EXPECT_FLOAT_EQ(Sample(0, c.frame).m_translate.m_x, c.frame * 10.0f);
    }

    for (int action : {KeyFrameDeleteSelectedBone, KeyFrameDeleteAllBones}) {
        SetUp();
        ASSERT_TRUE(EditKeyFrame(doc, 10, action));
        EXPECT_FALSE(Sample(0, 10).m_key);
        EXPECT_EQ(Sample(1, 10).m_key, action == KeyFrameDeleteSelectedBone);
        EXPECT_FLOAT_EQ(Sample(0, 10).m_translate.m_x, 0);
    }

    SetUp();
    CapturingMessageSink messages;
    doc.m_keyFrameAction = 2;
    for (int frame : {0, -1, 11}) {
        EXPECT_FALSE(EditKeyFrame(doc, frame, KeyFrameAddAllBones));
        EXPECT_EQ(messages.messages.back(), "フレームには 1 から 10 までの値を入力してください。");
    }
    EXPECT_TRUE(Sample(0, 0).m_key);
    EXPECT_TRUE(g_scene.m_undoAnimations.empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_keyFrameAction, 2);
    EXPECT_TRUE(log.hints.empty());
}

TEST_F(DocumentCommands, DisplayCameraAndModeCommandsLeaveTheDocumentUnmodified)
{
    ToggleDisplay(doc, &CCentigrade::m_showBones);
    EXPECT_FALSE(g_scene.m_showBones);
    SetEditMode(doc, EditModeRotate);
    ToggleCameraFollow(g_scene);
    EXPECT_TRUE(g_scene.m_followBone);
    g_scene.m_backgroundColor = MakeRgb(1, 2, 3);
    g_scene.m_zoom = 300;
    ResetCamera(g_scene);
    EXPECT_FLOAT_EQ(g_scene.m_zoom, 100);
    EXPECT_EQ(g_scene.m_backgroundColor, MakeRgb(1, 2, 3));
    EXPECT_EQ(log.hints, (std::vector<int>{HintDisplayChanged, HintDisplayChanged}));
    EXPECT_FALSE(doc.IsModified());

    // The Hermite switch rewrites the in-between samples, which the scene file keeps.
    Sample(0, 5).m_key = true;
    Sample(0, 5).m_translate.m_x = 0;
    ToggleHermite(doc);
    EXPECT_TRUE(g_scene.m_hermite);
    EXPECT_NE(Sample(0, 8).m_translate.m_x, 60);
    EXPECT_TRUE(doc.IsModified());

    MapProfile profile;
    StoreBackgroundColor(doc, profile, MakeRgb(10, 20, 30));
    EXPECT_EQ(profile.values["ProgramData/BgColor"], 0x1E140A);
    EXPECT_EQ(g_scene.m_backgroundColor, MakeRgb(10, 20, 30));
}

TEST(TextFieldKeys, EditingKeysTypedIntoAFieldNeverReachTheWindowsAcceleratorTable)
{
    Accelerator key;
    for (const char* text : {"Ctrl+A", "Ctrl+C", "Ctrl+V", "Ctrl+X", "Backspace", "Alt+Backspace", "Shift+Insert",
                             "Ctrl+Insert", "Shift+Delete"}) {
        ASSERT_TRUE(ParseAccelerator(text, key));
        EXPECT_TRUE(IsTextEditingKey(key)) << text;
    }
    for (const char* text : {"Ctrl+Z", "Ctrl+Shift+A", "Alt+X", "Ctrl+B", "F2", "Insert"}) {
        ASSERT_TRUE(ParseAccelerator(text, key));
        EXPECT_FALSE(IsTextEditingKey(key)) << text;
    }
    // The commands the table reaches through such keys (Ctrl+A is Save As's only key).
    for (int id : {ID_FILE_SAVE_AS, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_UNDO})
        EXPECT_TRUE(HasTextEditingAccelerator(id)) << FindCommand(id)->name;
    for (int id : {int(ID_EDIT_REDO), int(ID_FILE_NEW), int(ID_CONTROL_PLAY), int(ID_CAMERA_PRESET_F2), 1})
        EXPECT_FALSE(HasTextEditingAccelerator(id)) << id;
}

TEST(DocumentCommandTable, EveryDocumentCommandIsInTheCommandTableOnce)
{
    std::set<int> ids;
    for (const DocumentCommandRule& rule : DocumentCommandRules()) {
        EXPECT_NE(FindCommand(rule.id), nullptr) << rule.id;
        EXPECT_TRUE(ids.insert(rule.id).second) << rule.id;
        // Check items have check rules, the rest never check.
        const bool checkItem = FindCommand(rule.id)->kind == CommandKind::Check;
        if (!checkItem) {
            EXPECT_FALSE(rule.state().checked) << FindCommand(rule.id)->name;
        }
    }
    EXPECT_EQ(ids.size(), 33u);
}
