// The main window as a user meets it: the timeline after New (the File menu's keys; the
// toolbar's button and いいえ), and docked toolbars in windows of several sizes.
#include "EditorTest.h"

#include "app/CFrameRuler.h"
#include "app/CHierarchyView.h"
#include "app/CKinemorphixDoc.h"
#include "app/CMainFrame.h"
#include "app/CSliderView.h"
#include "app/CSmartSplitterWnd.h"
#include "app/logic/SplitterLayout.h"
#include "app/logic/CommandIds.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <wx/aui/auibar.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <tuple>

TEST_F(EditorTest, NewDocumentShowsFrameZeroWithoutTheKeysOrPlaybackOfTheOldOne)
{
    StartEditor({SamplePath()});
    CSliderView& timeline = *Frame().m_sliderView;
    CFrameRuler& ruler = *timeline.FrameRuler();
    const auto standOnKeyedBone = [&] {
        wxRect label;
        ASSERT_TRUE(Frame().m_hierarchyView->GetBoundingRect(Frame().m_hierarchyView->ItemOfBone(1), label, true));
        ClickAt(*Frame().m_hierarchyView, Centre(label));
        ClickAt(ruler, wxPoint(ruler.Scale().XOf(30), ruler.GetClientSize().y / 2));
        ASSERT_TRUE(g_currentFrame == 30 && ruler.GetKeyFrames().size() > 1);
    };
    const auto expectFrameZeroWithoutKeys = [&] {
        Pump(200);
        EXPECT_EQ(timeline.CurrentFrameEdit()->GetValue().utf8_string(), "0");
        EXPECT_TRUE(ruler.GetFrame() == 0 && g_currentFrame == 0 && ruler.GetKeyFrames().empty());
        EXPECT_FALSE(timeline.IsTimerRunning());
    };

    standOnKeyedBone();
    FocusWindow(*Frame().m_sceneView);
    wxUIActionSimulator keys;  // the open menu takes them: no release reaches our windows
    keys.Char('f', wxMOD_ALT);
    Pump(500);
    keys.Char(WXK_RETURN);
    ASSERT_TRUE(WaitUntil([] { return g_scene.m_bones.empty(); }));
    expectFrameZeroWithoutKeys();
    SaveWindowPng(ShotPath("timeline_after_new"));

    ASSERT_TRUE(Doc().OpenDocumentFile(SamplePath()));
    standOnKeyedBone();
    PressKey('b', wxMOD_CONTROL);
    Doc().SetModifiedFlag();
    wxTEST_DIALOG(ClickTool(*Frame().m_mainToolBar, ID_FILE_NEW), ExpectMessage("への変更を保存しますか?", wxID_NO));
    expectFrameZeroWithoutKeys();
}

TEST_F(EditorTest, DockedToolbarsKeepEveryButtonWithinReachAsTheWindowShrinks)
{
    StartEditor();
    CMainFrame& frame = Frame();
    wxAuiToolBar& main = *frame.m_mainToolBar;
    wxAuiToolBar& control = *frame.m_controlToolBar;
    const auto resize = [&](int width, int height) {
        frame.SetSize(std::min(120, 1280 - width), std::min(40, 800 - height), width, height);
        Pump(300);
    };
    // Each bar inside the window, with an overflow button while a button does not fit.
    const auto reachable = [&] {
        const wxRect window(frame.ClientToScreen(wxPoint()), frame.GetClientSize());
        return std::ranges::all_of(std::initializer_list<wxAuiToolBar*>{&main, &control}, [&](wxAuiToolBar* bar) {
            return window.Contains(bar->GetScreenRect()) && (bar->GetToolBarFits() || bar->GetOverflowVisible());
        });
    };
    // Where a drop leaves the bars: a side and a place along it.
    const auto drop = [&](int mainSide, int mainAt, int controlSide, int controlAt) {
        frame.Docking().GetPane(&main).Direction(mainSide).Layer(10).Row(0).Position(mainAt);
        frame.Docking().GetPane(&control).Direction(controlSide).Layer(10).Row(0).Position(controlAt);
        frame.Docking().Update();
    };
    for (const auto& [name, mainSide, controlSide] : {std::tuple("sides", wxAUI_DOCK_RIGHT, wxAUI_DOCK_LEFT),
                                                      {"bottom", wxAUI_DOCK_BOTTOM, wxAUI_DOCK_BOTTOM},
                                                      {"top", wxAUI_DOCK_TOP, wxAUI_DOCK_TOP}}) {
        resize(1280, 800);
        drop(mainSide, 0, controlSide, mainSide == controlSide ? 700 : 300);
        // Smaller and smaller, then big again, where both bars are whole.
        for (const wxSize size : {wxSize(1280, 800), wxSize(800, 600), wxSize(560, 420), wxSize(1280, 800)}) {
            resize(size.x, size.y);
            EXPECT_TRUE(WaitUntil(reachable, 3000)) << name << " " << size.x;
            EXPECT_EQ(frame.m_mainSplitter->GetSashPosition(), kLeftColumnWidth) << name << " " << size.x;
            EXPECT_TRUE(size.x < 1280 || !(main.GetOverflowVisible() || control.GetOverflowVisible())) << name;
            SaveWindowPng(ShotPath(std::string("toolbars_") + name + "_" + std::to_string(size.x)));
        }
    }

    // The lists' column as the user dragged it stays so when the bars move again.
    wxUIActionSimulator mouse;
    const wxPoint bar = frame.m_mainSplitter->ClientToScreen(wxPoint(kLeftColumnWidth + 2, 100));
    mouse.MouseMove(bar);
    mouse.MouseDown();
    for (int x = 10; x <= 60; x += 10)
        mouse.MouseMove(bar + wxPoint(x, 0)), Pump(20);
    const unsigned before = ReleasesSeen();
    mouse.MouseUp();
    SettleInput(before);
    drop(wxAUI_DOCK_LEFT, 0, wxAUI_DOCK_RIGHT, 300);
    Pump(300);
    EXPECT_EQ(frame.m_mainSplitter->GetSashPosition(), kLeftColumnWidth + 60);

    // Cut-off commands run from the overflow menus: a check button, the last item (Up from
    // the top), and the first (Down).
    drop(wxAUI_DOCK_RIGHT, 0, wxAUI_DOCK_LEFT, 300);
    resize(560, 420);
    const auto runFromOverflow = [&](wxAuiToolBar& bar, int key) {
        bool chosen = false;
        wxTimer chooser;
        chooser.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            wxExecute("/usr/bin/import -window root " + ShotPath("toolbars_overflow_menu"), wxEXEC_SYNC);
            wxUIActionSimulator().Char(key);
            wxUIActionSimulator().Char(WXK_RETURN);
            chosen = true;
        });
        const auto opened = [&](wxMenuEvent& event) { event.Skip(), chooser.StartOnce(200); };
        bar.Bind(wxEVT_MENU_OPEN, opened);
        ClickOnly(bar, wxPoint(bar.GetClientSize().x / 2, bar.GetClientSize().y - 4));
        EXPECT_TRUE(WaitUntil([&] { return chosen; }, 3000)) << "no overflow menu";
        Pump(300);
        bar.Unbind(wxEVT_MENU_OPEN, opened);
    };
    const bool bonesShown = g_scene.m_showBones;
    runFromOverflow(main, WXK_UP);
    EXPECT_NE(g_scene.m_showBones, bonesShown);
    runFromOverflow(control, WXK_DOWN);
    EXPECT_EQ(g_currentFrame, g_lastFrame);
}
