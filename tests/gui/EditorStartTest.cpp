// Starting the editor: the window, its panes and bars, with and without a file.
#include "EditorTest.h"
#include "EditorTestHelpers.h"

#include "app/CAnimationView.h"
#include "app/CHierarchyView.h"
#include "app/CKinemorphixApp.h"
#include "app/CKinemorphixDoc.h"
#include "app/CMainFrame.h"
#include "app/CSliderView.h"
#include "app/CSmartSplitterWnd.h"
#include "app/logic/CommandIds.h"
#include "app/logic/CommandTable.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <wx/aui/auibar.h>
#include <wx/image.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/statusbr.h>
#include <wx/testing.h>

TEST_F(EditorTest, StartsUntitledWithFivePanesMenusAndBars)
{
    StartEditor();
    CMainFrame& frame = Frame();
    EXPECT_EQ(frame.GetTitle().utf8_string(), "無題 - Zelvo Kinemorphix 3.9");
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(frame.GetStatusBar()->GetStatusText(0).utf8_string(), "レディ");
    EXPECT_EQ(frame.GetStatusBar()->GetFieldsCount(), 4);

    // The pane directory holds the panes the splitters show, the 3D view in the right column.
    const CPaneDirectory* panes = GetPaneDirectory();
    ASSERT_NE(panes, nullptr);
    EXPECT_EQ(panes->m_sceneView, frame.m_sceneView);
    EXPECT_EQ(frame.m_rightSplitter->GetPane(0, 0), frame.m_sceneView);
    EXPECT_EQ(frame.m_rightSplitter->GetPane(1, 0), static_cast<wxWindow*>(frame.m_sliderView));
    EXPECT_EQ(frame.m_leftSplitter->GetPane(2, 0), static_cast<wxWindow*>(frame.m_animationView));
    EXPECT_EQ(frame.m_mainSplitter->GetSashSize(), 5);
    EXPECT_EQ(frame.m_mainSplitter->PaneExtent(0), 200);

    // The 3D view has the client height less 170 pixels; the three left panes share the
    // height they were made with.
    const int clientHeight = frame.ClientHeightWithBars();
    EXPECT_EQ(frame.m_rightSplitter->PaneExtent(0), clientHeight - 170);
    EXPECT_NEAR(frame.m_leftSplitter->PaneExtent(0), frame.m_leftSplitter->PaneExtent(1), 1);

    // After a resize too; but a frame too low keeps the rows it had.
    frame.SetClientSize(900, 640);
    Pump(300);
    EXPECT_EQ(frame.m_rightSplitter->PaneExtent(0), frame.ClientHeightWithBars() - 170);
    const int viewHeight = frame.m_rightSplitter->PaneExtent(0);
    frame.SetClientSize(900, 150);
    Pump(300);
    EXPECT_LE(frame.m_rightSplitter->PaneExtent(0), viewHeight);
    EXPECT_NE(frame.m_rightSplitter->PaneExtent(0), frame.ClientHeightWithBars() - 170);

    // Menus from the table, with the accelerator shown and the mnemonic kept.
    wxMenuBar* bar = frame.GetMenuBar();
    ASSERT_EQ(bar->GetMenuCount(), 7u);
    EXPECT_EQ(bar->GetMenuLabel(0).utf8_string(), "ファイル(&F)");
    const wxMenuItem* open = bar->FindItem(WindowIdOf(ID_FILE_OPEN));
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->GetItemLabel().utf8_string(), "開く...(&O)\tCtrl+O");
    EXPECT_EQ(open->GetHelp().utf8_string(), "既存のファイルを開く");
    EXPECT_NE(bar->FindItem(WindowIdOf(ID_COLOR_SELECTION_FRAME)), nullptr);
    EXPECT_EQ(frame.m_mainToolBar->GetToolCount(), 19u);
    EXPECT_EQ(frame.m_controlToolBar->GetToolLabel(WindowIdOf(ID_CONTROL_LOOP)).utf8_string(), "ﾙｰﾌﾟ");

    // Commands without a handler stay on the menus, greyed; built ones are enabled.
    frame.UpdateWindowUI();
    EXPECT_TRUE(bar->IsEnabled(WindowIdOf(ID_FILE_SAVE)));
    EXPECT_FALSE(bar->IsEnabled(WindowIdOf(ID_CONTROL_KEY_FRAME_DIALOG)));
    EXPECT_FALSE(bar->IsEnabled(WindowIdOf(ID_FILE_MRU_FILE1)));  // no recent file yet

    // The empty scene on the profile's background.
    const CapturedFrame shot = CaptureView();
    EXPECT_EQ(shot.width, frame.m_sceneView->GetClientSize().x);
    EXPECT_GT(CountColour(shot, MakeRgb(30, 65, 90)), shot.width * shot.height / 2);
}

TEST_F(EditorTest, StartsWithAModelNamedOnTheCommandLineAndDrawsIt)
{
    StartEditor({ModelPath()});
    EXPECT_EQ(Frame().GetTitle().utf8_string(), "ninja_bones.mqo - Zelvo Kinemorphix 3.9");
    ASSERT_EQ(g_scene.m_models.size(), 1u);
    EXPECT_EQ(g_scene.m_bones.size(), 6u);
    EXPECT_TRUE(Doc().IsModified());

    const CapturedFrame shot = CaptureView();
    ASSERT_TRUE(SavePng(shot, ShotPath("editor_model_view")));
    ASSERT_TRUE(SaveWindowPng(ShotPath("editor_model_window")));
    // In the window's picture the left panes and the timeline are drawn in their light list
    // colours, and the toolbar shows its coloured icons (the blue of save, undo and redo).
    wxImage window;
    ASSERT_TRUE(window.LoadFile(wxString::FromUTF8(ShotPath("editor_model_window")), wxBITMAP_TYPE_PNG));
    const auto count = [&](wxWindow& pane, auto test) {
        const wxRect area(pane.GetScreenPosition() - Frame().GetScreenPosition(), pane.GetSize());
        int n = 0;
        for (int y = area.y; y < area.GetBottom() && y < window.GetHeight(); ++y)
            for (int x = area.x; x < area.GetRight() && x < window.GetWidth(); ++x)
                n += test(window.GetRed(x, y), window.GetGreen(x, y), window.GetBlue(x, y));
        return n;
    };
    for (wxWindow* pane : std::initializer_list<wxWindow*>{Frame().m_hierarchyView, Frame().m_sliderView})
        EXPECT_GT(count(*pane, [](int r, int g, int b) { return r + g + b > 600; }), pane->GetSize().x * pane->GetSize().y / 2);
    EXPECT_GT(count(*Frame().m_mainToolBar, [](int r, int, int b) { return b > r + 80; }), 40);
    const int pixels = shot.width * shot.height;
    const int background = CountColour(shot, g_scene.m_backgroundColor);
    const int edges = CountColour(shot, g_scene.m_lineColor);
    EXPECT_GT(background, pixels / 4);
    EXPECT_LT(background, pixels - pixels / 50);  // the model covers part of the view
    EXPECT_GT(edges, pixels / 200);

    // The recent-file list now offers the model on the File menu.
    Frame().UpdateWindowUI();
    const wxMenuItem* first = Frame().GetMenuBar()->FindItem(WindowIdOf(ID_FILE_MRU_FILE1));
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first->GetItemLabel().Find("ninja_bones.mqo"), wxNOT_FOUND);
    EXPECT_TRUE(first->IsEnabled());
}

TEST_F(EditorTest, FileThatCannotBeOpenedStartsAnEmptyDocumentAfterTheMessage)
{
    const std::string broken = m_dir.Write("broken.zlkx", "not a scene");
    wxTEST_DIALOG(StartEditor({broken}), wxExpectModal<wxMessageDialog>(wxID_OK));
    EXPECT_EQ(Doc().GetTitle(), "\x96\xB3\x91\xE8");
    EXPECT_TRUE(g_scene.m_models.empty());
    EXPECT_TRUE(Frame().IsShown());
}
