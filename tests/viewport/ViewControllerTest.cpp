// The view's mouse logic without a window: camera moves, gizmo drags, undo grouping, the
// rubber band and the capture rules.
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "viewport/GizmoTables.h"
#include "viewport/PaneDirectory.h"
#include "viewport/SceneBuilders.h"
#include "viewport/ViewController.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

class FakeWindow : public IViewWindow {
public:
    void CaptureMouse() override { log.push_back("capture"); }
    void ReleaseMouse() override { log.push_back("release"); }
    void Invalidate() override { ++invalidated; }
    void Render() override { ++rendered; }
    bool Pick(int x, int y) override
    {
        log.push_back("pick " + std::to_string(x) + "," + std::to_string(y));
        if (onPick)
            onPick();
        return pickHits;
    }
    void SetModified() override { ++modified; }

    std::vector<std::string> log;
    int invalidated = 0;
    int rendered = 0;
    int modified = 0;
    bool pickHits = false;
    std::function<void()> onPick;
};

class RecordingPanes : public ISliderPane, public IHierarchyPane {
public:
    void UpdateKeyFrameTicks() override { log.push_back("ticks"); }
    void ShowBoneValues() override { log.push_back("values"); }
    void SelectCurrentBoneItem() override { log.push_back("tree"); }
    std::vector<std::string> log;
};

const MouseModifiers kNone{};
const MouseModifiers kShift{true, false};
const MouseModifiers kControl{false, true};

class ViewControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_scene.ResetScene();
        g_scene.m_editMode = EditModeTranslate;
        g_scene.m_activeHandle = GizmoHandleNone;
        g_scene.m_axisEnabled = {true, true, true};
        g_scene.m_selectionRect = {0, 0, 0, 0};
        g_currentAnimation = 0;
        g_currentFrame = 4;
        g_lastFrame = 100;
        g_editFrame = 0;
        g_scene.m_bones.push_back(MakeBone(0, -1, CVector(), CVector(0, 10, 0)));
        g_scene.m_selectedBone = 0;
        Sample().m_key = true;  // drags at a key survive the in-betweening on release
        directory.m_sliderView = &panes;
        directory.m_hierarchyView = &panes;
        SetPaneDirectory(&directory);
    }
    void TearDown() override { SetPaneDirectory(nullptr); }

    CAnimation& Sample() { return g_scene.m_bones[0].m_animations[0][g_currentFrame]; }

    // Press at `from`, move through `path`, release at the last point.
    void Drag(MouseButton button, std::array<int, 2> from, std::vector<std::array<int, 2>> path,
              MouseModifiers modifiers = kNone)
    {
        controller.OnButtonDown(button, from[0], from[1], modifiers);
        for (const auto& p : path)
            controller.OnMouseMove(p[0], p[1], modifiers);
        const auto end = path.empty() ? from : path.back();
        controller.OnButtonUp(button, end[0], end[1], modifiers);
    }

    FakeWindow window;
    CViewController controller{window};
    RecordingPanes panes;
    CPaneDirectory directory;
};

TEST_F(ViewControllerTest, RightDragOrbitsMiddleDragPansAndAMoveAloneOnlyTracks)
{
    g_scene.m_camera.m_rotate = CVector(20, 10, 0);
    g_scene.m_camera.m_translate = CVector(0, 0, -2000);
    Drag(MouseButton::Right, {100, 100}, {{110, 105}});
    EXPECT_FLOAT_EQ(g_scene.m_camera.m_rotate.m_x, 25.0f);
    EXPECT_FLOAT_EQ(g_scene.m_camera.m_rotate.m_y, 20.0f);
    Drag(MouseButton::Middle, {100, 100}, {{110, 105}});
    EXPECT_FLOAT_EQ(g_scene.m_camera.m_translate.m_x, 10.0f);
    EXPECT_FLOAT_EQ(g_scene.m_camera.m_translate.m_y, -5.0f);
    EXPECT_FLOAT_EQ(g_scene.m_camera.m_translate.m_z, -2000.0f);
    EXPECT_EQ(window.invalidated, 2);

    // Without a button the point is only remembered: the next drag starts from it.
    controller.OnMouseMove(300, 300, kNone);
    EXPECT_EQ(window.invalidated, 2);
    controller.OnButtonDown(MouseButton::Right, 300, 300, kNone);
    controller.OnMouseMove(301, 300, kNone);
    EXPECT_FLOAT_EQ(g_scene.m_camera.m_rotate.m_y, 21.0f);
}

TEST_F(ViewControllerTest, ZoomByBothButtonsAndTheWheelNeverBelowOne)
{
    controller.OnButtonDown(MouseButton::Left, 50, 50, kNone);
    controller.OnButtonDown(MouseButton::Right, 50, 50, kNone);
    controller.OnMouseMove(53, 57, kNone);
    EXPECT_FLOAT_EQ(g_scene.m_zoom, 101.0f);
    EXPECT_FLOAT_EQ(Sample().m_translate.m_x, 0.0f);  // zooming moves no bone
    controller.OnMouseWheel(-120, kNone);
    EXPECT_FLOAT_EQ(g_scene.m_zoom, 89.0f);
    controller.OnMouseWheel(-2400, kNone);
    EXPECT_FLOAT_EQ(g_scene.m_zoom, 1.0f);
    controller.OnMouseMove(0, 0, kNone);
    EXPECT_FLOAT_EQ(g_scene.m_zoom, 1.0f);
}

TEST_F(ViewControllerTest, CtrlLeftDragPansInEveryModeAndMovesNoBone)
{
    for (std::int32_t mode : {EditModeVertexSelect, EditModeRubberBand, EditModeTranslate, EditModeScale}) {
        g_scene.m_editMode = mode;
        g_scene.m_activeHandle = GizmoHandleX;
        g_scene.m_camera.m_translate = CVector(0, 0, -2000);
        Drag(MouseButton::Left, {10, 10}, {{14, 13}}, kControl);
        EXPECT_FLOAT_EQ(g_scene.m_camera.m_translate.m_x, 4.0f) << mode;
        EXPECT_FLOAT_EQ(g_scene.m_camera.m_translate.m_y, -3.0f) << mode;
    }
    EXPECT_FLOAT_EQ(Sample().m_translate.m_x, 0.0f);
    EXPECT_FLOAT_EQ(Sample().m_scale.m_x, 1.0f);
}

TEST_F(ViewControllerTest, GizmoDragsChangeTheSelectedBonesSampleAtTheCurrentFrame)
{
    struct Case {
        std::int32_t mode;
        std::int32_t handle;
        CVector expected;  // after a move of (+10, -5): A = 15, S = 0.15
    };
    const Case cases[] = {
        {EditModeTranslate, GizmoHandleX, CVector(15, 0, 0)},
        {EditModeTranslate, GizmoHandleZ, CVector(0, 0, 15)},
        {EditModeTranslate, GizmoHandleCenter, CVector(10, 5, 0)},
        {EditModeRotate, GizmoHandleY, CVector(0, 15, 0)},
        {EditModeRotate, GizmoHandleCenter, CVector(-5, 10, 0)},
        {EditModeScale, GizmoHandleX, CVector(1.15f, 1, 1)},
        {EditModeScale, GizmoHandleCenter, CVector(1.15f, 1.15f, 1.15f)},
    };
    for (const Case& c : cases) {
        Sample() = CAnimation();
        Sample().m_key = true;
        g_scene.m_editMode = c.mode;
        window.onPick = [&] { g_scene.m_activeHandle = c.handle; };
        Drag(MouseButton::Left, {100, 100}, {{110, 95}});
        const CVector& v = c.mode == EditModeTranslate ? Sample().m_translate
                           : c.mode == EditModeRotate  ? Sample().m_rotate
                                                       : Sample().m_scale;
        EXPECT_FLOAT_EQ(v.m_x, c.expected.m_x) << c.mode << " " << c.handle;
        EXPECT_FLOAT_EQ(v.m_y, c.expected.m_y) << c.mode << " " << c.handle;
        EXPECT_FLOAT_EQ(v.m_z, c.expected.m_z) << c.mode << " " << c.handle;
        EXPECT_TRUE(Sample().m_key);
    }
}

TEST_F(ViewControllerTest, ADisabledAxisChangesNothingButStillMarksTheDocument)
{
    g_scene.m_axisEnabled = {false, true, true};
    window.onPick = [] { g_scene.m_activeHandle = GizmoHandleX; };
    controller.OnButtonDown(MouseButton::Left, 0, 0, kNone);
    controller.OnMouseMove(20, 0, kNone);
    EXPECT_FLOAT_EQ(Sample().m_translate.m_x, 0.0f);
    EXPECT_TRUE(controller.IsUndoPending());  // no snapshot for a change of nothing
    EXPECT_EQ(window.modified, 1);
    controller.OnButtonUp(MouseButton::Left, 20, 0, kNone);
    EXPECT_EQ(g_editFrame, 0);  // no edit was made
}

TEST_F(ViewControllerTest, ADragOutsideTheBonesSamplesWritesNothing)
{
    window.onPick = [] { g_scene.m_activeHandle = GizmoHandleX; };
    for (std::int32_t frame : {101, 5000, -1}) {
        g_currentFrame = frame;
        Drag(MouseButton::Left, {0, 0}, {{20, 0}});
    }
    g_currentFrame = 4;
    g_currentAnimation = 1;  // no such animation
    Drag(MouseButton::Left, {0, 0}, {{20, 0}});
    g_currentAnimation = 0;
    for (const CAnimation& sample : g_scene.m_bones[0].m_animations[0])
        EXPECT_FLOAT_EQ(sample.m_translate.m_x, 0.0f);
    EXPECT_EQ(window.modified, 4);
}

TEST_F(ViewControllerTest, OnePressDragReleaseIsOneUndoStepAndSetsTheEditFrame)
{
    window.onPick = [] { g_scene.m_activeHandle = GizmoHandleX; };
    g_scene.m_redoAnimations = {0};  // a redo entry that the edit discards
    g_scene.m_redoFrames = {0};
    g_scene.m_redoEditFrames = {0};
    g_scene.m_redoPoses = {{CAnimation()}};
    controller.OnButtonDown(MouseButton::Left, 0, 0, kNone);
    controller.OnMouseMove(5, 5, kNone);  // A = 0: nothing yet
    EXPECT_TRUE(g_scene.m_undoAnimations.empty());
    EXPECT_EQ(g_scene.m_redoAnimations.size(), 1u);
    controller.OnMouseMove(10, 5, kNone);
    controller.OnMouseMove(20, 5, kNone);
    controller.OnButtonUp(MouseButton::Left, 20, 5, kNone);
    EXPECT_FLOAT_EQ(Sample().m_translate.m_x, 15.0f);
    ASSERT_EQ(g_scene.m_undoAnimations.size(), 1u);
    EXPECT_TRUE(g_scene.m_redoAnimations.empty());
    EXPECT_EQ(g_scene.m_undoFrames[0], 4);
    EXPECT_EQ(g_scene.m_undoEditFrames[0], 0);  // the edit frame before this edit
    EXPECT_FLOAT_EQ(g_scene.m_undoPoses[0][0].m_translate.m_x, 0.0f);
    EXPECT_EQ(g_editFrame, 4);

    // A new press starts a new step; a click without a drag pushes none and keeps the frame.
    g_currentFrame = 9;
    Drag(MouseButton::Left, {0, 0}, {});
    EXPECT_EQ(g_scene.m_undoAnimations.size(), 1u);
    EXPECT_EQ(g_editFrame, 4);
    g_currentFrame = 4;
    Drag(MouseButton::Left, {0, 0}, {{3, 0}, {6, 0}});
    EXPECT_EQ(g_scene.m_undoAnimations.size(), 2u);
    EXPECT_FLOAT_EQ(Sample().m_translate.m_x, 21.0f);

    g_scene.Undo();
    EXPECT_FLOAT_EQ(Sample().m_translate.m_x, 15.0f);
}

TEST_F(ViewControllerTest, ADragBetweenKeysIsReplacedByTheInBetweenOnRelease)
{
    window.onPick = [] { g_scene.m_activeHandle = GizmoHandleX; };
    g_scene.m_hermite = false;
    g_scene.m_bones[0].m_animations[0][10].m_key = true;
    g_scene.m_bones[0].m_animations[0][10].m_translate.m_x = 10.0f;
    g_currentFrame = 7;
    controller.OnButtonDown(MouseButton::Left, 0, 0, kNone);
    controller.OnMouseMove(100, 0, kNone);
    EXPECT_FLOAT_EQ(Sample().m_translate.m_x, 100.0f);
    controller.OnButtonUp(MouseButton::Left, 100, 0, kNone);
    // Keys at 4 (x 0) and 10 (x 10): frame 7 lies half way.
    EXPECT_FLOAT_EQ(Sample().m_translate.m_x, 5.0f);
    EXPECT_EQ(g_scene.m_undoAnimations.size(), 1u);
}

TEST_F(ViewControllerTest, CaptureIsTakenByTheFirstPressAndGivenBackWithTheLastRelease)
{
    controller.OnButtonDown(MouseButton::Left, 0, 0, kNone);
    controller.OnButtonDown(MouseButton::Right, 0, 0, kNone);
    controller.OnButtonUp(MouseButton::Left, 0, 0, kNone);
    EXPECT_TRUE(controller.HasCapture());
    controller.OnButtonUp(MouseButton::Right, 0, 0, kNone);
    EXPECT_FALSE(controller.HasCapture());
    const std::vector<std::string> expected{"capture", "pick 0,0", "release"};
    EXPECT_EQ(window.log, expected);
}

TEST_F(ViewControllerTest, AReleaseWithoutItsPressDoesNothing)
{
    controller.OnButtonUp(MouseButton::Left, 5, 5, kNone);
    controller.OnButtonUp(MouseButton::Right, 5, 5, kNone);
    g_scene.m_editMode = EditModeRubberBand;
    controller.OnButtonUp(MouseButton::Left, 5, 5, kNone);
    EXPECT_TRUE(window.log.empty());
    EXPECT_EQ(window.rendered, 0);
    EXPECT_EQ(g_editFrame, 0);
}

// Another window taking the mouse cuts a drag short: a rubber band then binds nothing,
// while a gizmo drag keeps what it applied, with its undo entry, as a release would.
TEST_F(ViewControllerTest, ALostCaptureGivesUpTheBandButKeepsAGizmoDrag)
{
    g_scene.m_editMode = EditModeVertexSelect;
    controller.OnButtonDown(MouseButton::Left, 10, 20, kNone);
    controller.OnMouseMove(60, 80, kNone);
    EXPECT_EQ(g_scene.m_editMode, EditModeRubberBand);
    controller.OnCaptureLost();
    EXPECT_FALSE(controller.IsButtonDown(MouseButton::Left));
    EXPECT_FALSE(controller.HasCapture());
    const std::vector<std::string> expected{"capture", "pick 10,20"};
    EXPECT_EQ(window.log, expected);  // no band pick; no release of a capture already lost
    EXPECT_EQ(g_scene.m_editMode, EditModeVertexSelect);  // no rectangle left drawn
    // The next move is no drag.
    controller.OnMouseMove(90, 90, kNone);
    EXPECT_EQ(g_scene.m_selectionRect, (std::array<std::int32_t, 4>{60, 80, 60, 80}));
    EXPECT_EQ(g_scene.m_editMode, EditModeVertexSelect);

    g_scene.m_editMode = EditModeTranslate;
    window.onPick = [] { g_scene.m_activeHandle = GizmoHandleX; };
    controller.OnButtonDown(MouseButton::Left, 0, 0, kNone);
    controller.OnMouseMove(12, 0, kNone);
    controller.OnCaptureLost();
    EXPECT_FALSE(controller.IsButtonDown(MouseButton::Left));
    EXPECT_FLOAT_EQ(Sample().m_translate.m_x, 12.0f);
    EXPECT_EQ(g_scene.m_undoAnimations.size(), 1u);
    EXPECT_EQ(g_editFrame, g_currentFrame);
    g_scene.Undo();
    EXPECT_FLOAT_EQ(Sample().m_translate.m_x, 0.0f);
}

TEST_F(ViewControllerTest, AClickStartsTheBandAndADragInVertexModeBecomesOne)
{
    g_scene.m_editMode = EditModeRubberBand;  // left over from the last band
    controller.OnButtonDown(MouseButton::Left, 30, 40, kNone);
    EXPECT_EQ(g_scene.m_editMode, EditModeVertexSelect);
    EXPECT_EQ(g_scene.m_selectionRect, (std::array<std::int32_t, 4>{30, 40, 30, 40}));
    controller.OnMouseMove(70, 90, kNone);
    EXPECT_EQ(g_scene.m_editMode, EditModeRubberBand);
    EXPECT_EQ(g_scene.m_selectionRect, (std::array<std::int32_t, 4>{30, 40, 70, 90}));
    window.onPick = [] {
        // The pick sees the band, not the release point.
        EXPECT_EQ(g_scene.m_selectionRect, (std::array<std::int32_t, 4>{30, 40, 75, 95}));
    };
    controller.OnMouseMove(75, 95, kNone);
    controller.OnButtonUp(MouseButton::Left, 75, 95, kNone);
    EXPECT_EQ(g_scene.m_selectionRect, (std::array<std::int32_t, 4>{75, 95, 75, 95}));
    EXPECT_EQ(g_scene.m_editMode, EditModeRubberBand);
}

TEST_F(ViewControllerTest, ShiftComesFromMouseEventsAndKeys)
{
    controller.OnShiftKey(true);
    EXPECT_TRUE(g_scene.m_shiftDown);
    controller.OnMouseMove(1, 1, kNone);  // Shift released while another window had the keys
    EXPECT_FALSE(g_scene.m_shiftDown);
    window.onPick = [] { EXPECT_TRUE(g_scene.m_shiftDown); };
    g_scene.m_editMode = EditModeVertexSelect;
    controller.OnButtonDown(MouseButton::Left, 1, 1, kShift);
    controller.OnButtonUp(MouseButton::Left, 1, 1, kShift);
    controller.OnShiftKey(false);
    EXPECT_FALSE(g_scene.m_shiftDown);
}

TEST_F(ViewControllerTest, PicksAndDragsRefreshTheTimelineAndTheBoneTree)
{
    window.pickHits = true;
    window.onPick = [] { g_scene.m_activeHandle = GizmoHandleX; };
    controller.OnButtonDown(MouseButton::Left, 0, 0, kNone);
    EXPECT_EQ(panes.log, (std::vector<std::string>{"ticks", "values", "tree"}));
    controller.OnMouseMove(3, 0, kNone);
    EXPECT_EQ(panes.log.back(), "values");
    EXPECT_EQ(panes.log.size(), 4u);
    controller.OnButtonUp(MouseButton::Left, 3, 0, kNone);

    // Without the panes (a host that has none) nothing is called and nothing breaks.
    SetPaneDirectory(nullptr);
    Drag(MouseButton::Left, {0, 0}, {{3, 0}});
    directory.m_sliderView = nullptr;
    directory.m_hierarchyView = nullptr;
    SetPaneDirectory(&directory);
    Drag(MouseButton::Left, {0, 0}, {{3, 0}});
    EXPECT_EQ(panes.log.size(), 4u);
}

}  // namespace
