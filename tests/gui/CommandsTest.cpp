// The commands in the running editor: camera presets on their keys, the bars' toggles and
// prompts, the colour and settings dialogs, the document's commands by their accelerators on
// a rigged model, the key-frame dialog, text fields that keep their editing keys, and
// background models.
#include "EditorTest.h"

#include "app/CDialogKeyFrame.h"
#include "app/CHierarchyView.h"
#include "app/CKinemorphixApp.h"
#include "app/CKinemorphixDoc.h"
#include "app/CMainFrame.h"
#include "app/CPropertyDialog.h"
#include "app/CSliderView.h"
#include "app/CSmartSplitterWnd.h"
#include "app/logic/ColorSettings.h"
#include "app/logic/CommandIds.h"
#include "app/logic/CommandRegistry.h"
#include "app/logic/CommandTable.h"
#include "app/logic/IProfile.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <wx/aui/auibar.h>
#include <wx/colordlg.h>
#include <wx/menu.h>
#include <wx/radiobut.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <dlfcn.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace {

// The colour dialog: checks the colour it opens with and answers with another (none: Cancel).
// The native dialog hands back what its colour selection holds, so the answer goes there, as
// a user's pick does.
class ChooseColour : public wxExpectModalBase<wxColourDialog, ChooseColour> {
public:
    ChooseColour(COLORREF initial, wxColour answer) : m_initial(initial), m_answer(answer) {}

protected:
    int OnInvoked(wxColourDialog* dialog) const override
    {
        EXPECT_EQ(dialog->GetColourData().GetColour(), wxColour(RedOf(m_initial), GreenOf(m_initial), BlueOf(m_initial)));
        struct Rgba {
            double red, green, blue, alpha;
        };
        const auto selection = reinterpret_cast<void* (*)(void*)>(
            dlsym(RTLD_DEFAULT, "gtk_color_selection_dialog_get_color_selection"));
        const auto setRgba =
            reinterpret_cast<void (*)(void*, const Rgba*)>(dlsym(RTLD_DEFAULT, "gtk_color_selection_set_current_rgba"));
        if (!m_answer.IsOk() || !selection || !setRgba)
            return wxID_CANCEL;
        const Rgba rgba{m_answer.Red() / 255.0, m_answer.Green() / 255.0, m_answer.Blue() / 255.0, 1.0};
        setRgba(selection(dialog->GetHandle()), &rgba);
        return wxID_OK;
    }

private:
    COLORREF m_initial;
    wxColour m_answer;
};

CAnimation& Sample(int bone, int frame) { return g_scene.m_bones[bone].m_animations[0][frame]; }

}  // namespace

TEST_F(EditorTest, CameraPresetsTurnTheViewOnTheirKeys)
{
    StartEditor({SamplePath()});
    CapturedFrame previous = CaptureView();
    for (const auto& [key, modifiers, turn] : {std::tuple<int, int, float>(WXK_F2, 0, 90), {WXK_F3, wxMOD_SHIFT, 0}}) {
        g_scene.m_camera.m_translate = CVector(5, 7, -1234);
        PressKey(key, modifiers);
        EXPECT_EQ(g_scene.m_camera.m_rotate.m_x, turn);
        EXPECT_EQ(g_scene.m_camera.m_translate.m_z, -1234.0f);
        const CapturedFrame shot = CaptureView();
        EXPECT_NE(shot.rgb, previous.rgb) << "the view was not redrawn from the new side";
        previous = shot;
    }
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(EditorTest, BarsAreShownAndHiddenEachByItsOwnItemAndShowPrompts)
{
    StartEditor();
    CMainFrame& frame = Frame();
    // Every button has its icon and the size of its bar's first button.
    for (wxAuiToolBar* bar : {frame.m_mainToolBar, frame.m_controlToolBar})
        for (size_t i = 0; i < bar->GetToolCount(); ++i) {
            const wxAuiToolBarItem* tool = bar->FindToolByIndex(static_cast<int>(i));
            if (tool->GetKind() == wxITEM_SEPARATOR)
                continue;
            EXPECT_TRUE(tool->GetBitmapBundle().IsOk()) << i;
            EXPECT_EQ(bar->GetToolRect(tool->GetId()).GetSize(), bar->GetToolRect(bar->FindToolByIndex(0)->GetId()).GetSize())
                << tool->GetLabel().utf8_string();
        }
    RunCommand(ID_VIEW_CONTROL_TOOLBAR);
    Pump(100);
    frame.UpdateWindowUI();
    EXPECT_FALSE(frame.m_controlToolBar->IsShown());
    EXPECT_TRUE(frame.m_mainToolBar->IsShown());
    EXPECT_FALSE(frame.GetMenuBar()->IsChecked(WindowIdOf(ID_VIEW_CONTROL_TOOLBAR)));
    RunCommand(ID_VIEW_TOOLBAR);
    RunCommand(ID_VIEW_STATUS_BAR);
    Pump(100);
    EXPECT_FALSE(frame.m_mainToolBar->IsShown() || frame.m_statusBar->IsShown());
    EXPECT_EQ(frame.m_rightSplitter->PaneExtent(0), frame.m_mainSplitter->GetSize().y - 170);
    for (int id : {ID_VIEW_CONTROL_TOOLBAR, ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR})
        RunCommand(id);

    // A button under the mouse shows its command's prompt; leaving it, the idle text returns.
    Pump(100);
    const wxRect open = frame.m_mainToolBar->GetToolRect(WindowIdOf(ID_FILE_OPEN));
    wxUIActionSimulator().MouseMove(frame.m_mainToolBar->ClientToScreen(Centre(open)));
    const auto status = [&] { return frame.m_statusBar->GetStatusText(0).utf8_string(); };
    EXPECT_TRUE(WaitUntil([&] { return status() == "既存のファイルを開く"; }));
    FocusWindow(*frame.m_sceneView);
    EXPECT_TRUE(WaitUntil([&] { return status() == "レディ"; }));
}

TEST_F(EditorTest, ToolbarsDockOnAnySideAndFloatDraggedBetweenTheirButtons)
{
    StartEditor();
    CMainFrame& frame = Frame();
    frame.SetSize(120, 40, 1000, 740);  // room around the window to drag to
    Pump(200);
    wxAuiToolBar& bar = *frame.m_controlToolBar;
    const wxAuiPaneInfo& pane = frame.Docking().GetPane(&bar);
    // Presses on a bar's first separator, drags it through points of the window's client area
    // in steps of at most `step` pixels, and lets go at the last. A floating bar docks only when
    // its window moves slowly, as a hand moves it.
    const auto drag = [&](wxAuiToolBar& toolBar, std::initializer_list<wxPoint> path, int step = 40) {
        wxRect separator;
        for (size_t i = 0; separator.IsEmpty() && i < toolBar.GetToolCount(); ++i)
            if (const wxAuiToolBarItem* tool = toolBar.FindToolByIndex(static_cast<int>(i)); tool->GetKind() == wxITEM_SEPARATOR)
                separator = tool->GetSizerItem()->GetRect();
        EXPECT_TRUE(SimulateUntilReleased([&] {
            wxUIActionSimulator mouse;
            wxPoint at = toolBar.ClientToScreen(Centre(separator));
            mouse.MouseMove(at);
            Pump(100);
            mouse.MouseDown();
            for (const wxPoint& point : path) {
                const wxPoint to = frame.ClientToScreen(point);
                const int steps = std::max(1, std::max(std::abs(to.x - at.x), std::abs(to.y - at.y)) / step);
                for (int n = 1; n <= steps; ++n) {
                    Pump(30);
                    mouse.MouseMove(at + wxPoint((to.x - at.x) * n / steps, (to.y - at.y) * n / steps));
                }
                at = to;
            }
            Pump(100);
            mouse.MouseUp();
        }));
        Pump(300);
    };
    const wxSize client = frame.GetClientSize();

    // Just past the left edge: docked on the left, standing upright, buttons still equal.
    const int topRow = bar.GetPosition().y + bar.GetSize().y / 2;
    drag(bar, {wxPoint(-10, topRow), wxPoint(-10, topRow + 10)});
    EXPECT_TRUE(pane.IsDocked());
    EXPECT_EQ(pane.dock_direction, wxAUI_DOCK_LEFT);
    EXPECT_GT(bar.GetSize().y, bar.GetSize().x);
    EXPECT_LT(bar.GetScreenRect().GetRight(), frame.m_hierarchyView->GetScreenPosition().x);
    EXPECT_EQ(bar.GetToolRect(WindowIdOf(ID_CONTROL_LAST)).GetSize(), bar.GetToolRect(WindowIdOf(ID_CONTROL_FIRST)).GetSize());

    // Into the 3D view: a window of its own, whose buttons still reach the commands.
    const wxPoint inView = frame.m_sceneView->GetScreenPosition() - frame.ClientToScreen(wxPoint()) + wxPoint(200, 150);
    drag(bar, {inView});
    ASSERT_TRUE(pane.IsFloating());
    EXPECT_NE(wxGetTopLevelParent(&bar), &frame);
    ClickTool(bar, ID_CONTROL_LAST);
    EXPECT_EQ(g_currentFrame, g_lastFrame);
    SaveWindowPng(ShotPath("toolbar_floating"));

    // Just above the top edge: back in the window, lying flat; under the main toolbar while
    // the window is too narrow for both, beside it in a wider one.
    drag(bar, {wxPoint(client.x - 300, 40), wxPoint(client.x - 300, -10)}, 2);
    EXPECT_TRUE(pane.IsDocked());
    EXPECT_EQ(pane.dock_direction, wxAUI_DOCK_TOP);
    EXPECT_EQ(wxGetTopLevelParent(&bar), &frame);
    EXPECT_EQ(bar.GetScreenPosition().y, frame.m_mainToolBar->GetScreenRect().GetBottom() + 1);
    frame.SetSize(10, 40, 1260, 740);
    Pump(300);
    EXPECT_EQ(bar.GetScreenPosition().y, frame.m_mainToolBar->GetScreenPosition().y);

    // The window closes with a toolbar floating.
    drag(*frame.m_mainToolBar, {inView});
    EXPECT_TRUE(frame.Docking().GetPane(frame.m_mainToolBar).IsFloating());
}

TEST_F(EditorTest, ColourDialogsStoreTheColourInTheProfileAndRedraw)
{
    StartEditor({SamplePath()});
    std::vector<long> kept;
    for (const ColorSetting& color : ColorSettings())
        kept.push_back(TheApp().Profile().GetProfileInt(kProfileSection, color.key, color.defaultColor));

    // Cancel changes nothing; OK takes the colour into the scene, the profile and the view.
    const COLORREF line = g_scene.m_lineColor, green = MakeRgb(0, 200, 0);
    wxTEST_DIALOG(RunCommand(ID_COLOR_LINE), ChooseColour(line, wxColour()));
    EXPECT_EQ(g_scene.m_lineColor, line);
    wxTEST_DIALOG(RunCommand(ID_COLOR_LINE), ChooseColour(line, wxColour(0, 200, 0)));
    EXPECT_EQ(g_scene.m_lineColor, green);
    EXPECT_GT(CountColour(CaptureView(), green), 100);
    EXPECT_FALSE(Doc().IsModified());
    const std::string profile =
        testsupport::ReadFile(std::string(std::getenv("XDG_CONFIG_HOME")) + "/kinemorphix/kinemorphix.conf");
    EXPECT_NE(profile.find("[ProgramData]\nLineColor=51200\n"), std::string::npos) << profile;

    // The selection frame's and the background's commands (Alt+N, which marks the document
    // modified) keep their own keys; New reads them all back from the profile.
    wxTEST_DIALOG(RunCommand(ID_COLOR_SELECTION_FRAME), ChooseColour(g_scene.m_selectColor, wxColour(0x12, 0x34, 0x56)));
    wxTEST_DIALOG(PressKey('n', wxMOD_ALT), ChooseColour(g_scene.m_backgroundColor, wxColour(40, 50, 60)));
    EXPECT_TRUE(Doc().IsModified());
    g_scene.m_lineColor = g_scene.m_selectColor = g_scene.m_backgroundColor = 0;
    wxTEST_DIALOG(PressKey('n', wxMOD_CONTROL), ExpectMessage("への変更を保存しますか?", wxID_NO));
    EXPECT_EQ(std::tuple(g_scene.m_lineColor, g_scene.m_selectColor, g_scene.m_backgroundColor),
              std::tuple(green, COLORREF{0x563412}, MakeRgb(40, 50, 60)));

    for (std::size_t i = 0; i < kept.size(); ++i)
        TheApp().Profile().WriteProfileInt(kProfileSection, ColorSettings()[i].key, kept[i]);
}

TEST_F(EditorTest, SettingsDialogRefusesTextThatIsNoNumberAndAppliesOk)
{
    StartEditor({SamplePath()});
    // Notes what the dialog shows, types each pair of values and presses OK; Cancel when none
    // was taken.
    std::string shown;
    const auto fill = [&shown](std::vector<std::pair<const char*, const char*>> attempts) {
        return DialogSession<CPropertyDialog>([&shown, attempts](CPropertyDialog& dialog) {
            shown = (dialog.AngleField()->GetValue() + "|" + dialog.RangeField()->GetValue()).utf8_string();
            for (const auto& [angle, range] : attempts) {
                dialog.AngleField()->SetValue(wxString::FromUTF8(angle));
                dialog.RangeField()->SetValue(wxString::FromUTF8(range));
                ClickCentre(*dialog.FindWindow(wxID_OK));
            }
            if (dialog.IsShown())
                ClickCentre(*dialog.FindWindow(wxID_CANCEL));
        });
    };
    g_scene.m_smoothingAngle = 89.5f;
    wxTEST_DIALOG(RunCommand(ID_SETTINGS_PROPERTIES), fill({}));
    EXPECT_EQ(shown, "89.5|0");
    EXPECT_EQ(g_scene.m_smoothingAngle, 89.5f);

    // Text that is no number keeps the dialog open with a message; then OK applies.
    wxTEST_DIALOG(RunCommand(ID_SETTINGS_PROPERTIES), fill({{"abc", "2"}, {"30", "2.5"}, {" 30 ", "2"}}),
                  ExpectMessage("数値を入力してください。"), ExpectMessage("整数を入力してください。"));
    EXPECT_EQ(g_scene.m_smoothingAngle, 30.0f);
    EXPECT_EQ(g_scene.m_weightMapRange, 2);
    int belowOne = 0;
    for (const CModel& model : g_scene.m_models) {
        EXPECT_EQ(model.m_smoothingAngle, 30.0f);
        for (const CVector& v : model.m_vertices)
            belowOne += v.m_weight < 1.0f;
    }
    EXPECT_GT(belowOne, 0) << "the weight map was not rebuilt";
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(EditorTest, DocumentCommandsByTheirAcceleratorsOnARiggedModel)
{
    StartEditor({ModelPath()});
    ASSERT_GE(g_scene.m_bones.size(), 3u);
    Doc().SetModifiedFlag(false);

    // Without a selected bone Ctrl+P is greyed and does nothing.
    g_scene.m_selectedBone = -1;
    PressKey('p', wxMOD_CONTROL);
    EXPECT_TRUE(g_scene.m_undoAnimations.empty());
    g_scene.m_selectedBone = 1;

    // A pose at frame 5 made a key with Ctrl+P; Ctrl+Z and Ctrl+Y take it back and forth.
    PressKey('i', wxMOD_CONTROL);
    for (int i = 0; i < 5; ++i)
        PressKey('e', wxMOD_CONTROL);
    Sample(1, 5).m_rotate.m_z = 30;
    PressKey('p', wxMOD_CONTROL);
    EXPECT_TRUE(Sample(1, 5).m_key && !Sample(2, 5).m_key && Doc().IsModified());
    PressKey('z', wxMOD_CONTROL);
    EXPECT_TRUE(!Sample(1, 5).m_key && Sample(1, 5).m_rotate.m_z == 0);
    PressKey('y', wxMOD_CONTROL);
    EXPECT_TRUE(Sample(1, 5).m_key && Sample(1, 5).m_rotate.m_z == 30);

    // Ctrl+K: frame 9 for every bone; then text that is no number, refused, and Cancel.
    const auto keyFrame = [](const char* frame, int action) {
        return DialogSession<CDialogKeyFrame>([=](CDialogKeyFrame& dialog) {
            EXPECT_TRUE(dialog.Choice(1)->GetValue()) << "the last choice is offered again";
            dialog.FrameEdit()->ChangeValue(frame);
            dialog.Choice(action)->SetValue(true);
            ClickCentre(*dialog.FindWindow(wxID_OK));
            if (dialog.IsShown())
                ClickCentre(*dialog.FindWindow(wxID_CANCEL));
        });
    };
    Doc().m_keyFrameAction = 1;
    wxTEST_DIALOG(PressKey('k', wxMOD_CONTROL), keyFrame("9", 1));
    for (int bone : {1, 2})
        EXPECT_TRUE(Sample(bone, 9).m_key) << bone;
    EXPECT_FLOAT_EQ(Sample(1, 9).m_rotate.m_z, 30);
    wxTEST_DIALOG(PressKey('k', wxMOD_CONTROL), keyFrame("9x", 3),
                  ExpectMessage("整数を入力してください。").Describe("not a number"));
    EXPECT_TRUE(Sample(2, 9).m_key);

    // Keys: Ctrl+I, Ctrl+G finds 5; Ctrl+U clears frame 5 on every bone and in-betweens.
    PressKey('i', wxMOD_CONTROL);
    PressKey('g', wxMOD_CONTROL);
    EXPECT_EQ(g_currentFrame, 5);
    PressKey('u', wxMOD_CONTROL);
    EXPECT_FALSE(Sample(1, 5).m_key);
    EXPECT_NEAR(Sample(1, 5).m_rotate.m_z, 30.0f * 5 / 9, 3.0f);

    SavePng(CaptureView(), ShotPath("document_commands"));
}

TEST_F(EditorTest, AcceleratorsFireOnceNeverForAGreyedCommandAndNeverInATextField)
{
    StartEditor();
    // The window commands behind Ctrl+A and Ctrl+Z / Alt+Backspace, counted.
    CCommandRegistry& registry = CCommandRegistry::Instance();
    const CommandEntry saveAs = registry.Find(ID_FILE_SAVE_AS), undo = registry.Find(ID_EDIT_UNDO);
    int saveAsRuns = 0, undoRuns = 0;
    bool undoEnabled = true;
    registry.Add(ID_FILE_SAVE_AS, [&] { ++saveAsRuns; });
    registry.Add(ID_EDIT_UNDO, [&] { ++undoRuns; }, [&] { return EnabledIf(undoEnabled); });
    Pump(100);

    PressKey('z', wxMOD_CONTROL);   // shown on the menu item
    PressKey(WXK_BACK, wxMOD_ALT);  // the second accelerator, from the accelerator table
    EXPECT_EQ(undoRuns, 2);
    undoEnabled = false;
    Pump(100);
    PressKey('z', wxMOD_CONTROL);
    PressKey(WXK_BACK, wxMOD_ALT);
    EXPECT_EQ(undoRuns, 2);
    undoEnabled = true;

    // In a text field the same keys edit the text.
    auto* field = new wxTextCtrl(Frame().m_sliderView, wxID_ANY, "frame", wxPoint(10, 10), wxSize(200, -1));
    FocusWindow(*field);
    field->SetInsertionPointEnd();
    TypeKey(WXK_BACK);
    EXPECT_EQ(field->GetValue(), "fram");
    TypeKey('a', wxMOD_CONTROL);  // selects all, which Ctrl+X then cuts
    TypeKey('x', wxMOD_CONTROL);
    EXPECT_EQ(field->GetValue(), "");
    TypeKey('v', wxMOD_CONTROL);
    TypeKey('v', wxMOD_CONTROL);
    EXPECT_EQ(field->GetValue(), "framfram");
    TypeKey(WXK_BACK, wxMOD_ALT);
    TypeKey('c', wxMOD_CONTROL);
    EXPECT_EQ(undoRuns + saveAsRuns, 2);

    // Outside the field the key is the window's command again.
    PressKey('a', wxMOD_CONTROL);
    EXPECT_EQ(saveAsRuns, 1);
    registry.Add(ID_FILE_SAVE_AS, saveAs);
    registry.Add(ID_EDIT_UNDO, undo);
    field->Destroy();
}

TEST_F(EditorTest, BackgroundModelsFromTheFileMenuAreDrawnUntilNew)
{
    StartEditor();
    const CapturedFrame empty = CaptureView();
    const auto load = [&](const std::string& path) {
        m_chooser.Answer(path);
        RunCommand(ID_FILE_LOAD_BACKGROUND);
    };
    load(CorpusPath("garlic-flavor+mqo_loader/shodai_dsan.mqo"));
    ASSERT_FALSE(g_scene.m_backgroundModels.empty());
    const CapturedFrame shown = CaptureView();
    EXPECT_NE(shown.rgb, empty.rgb);
    SavePng(shown, ShotPath("background_model"));

    wxTEST_DIALOG(load(CorpusPath("nutti+blender-mqo/simple.mqo")), ExpectMessage("を読み込めませんでした。"));
    PressKey('n', wxMOD_CONTROL);
    EXPECT_EQ(CaptureView().rgb, empty.rgb);
}
