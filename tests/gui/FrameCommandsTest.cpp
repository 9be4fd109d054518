// The frame's own commands in the running editor: camera presets on their keys, the bars'
// toggles, the colour dialog and the settings dialog.
#include "EditorTest.h"
#include "EditorTestHelpers.h"

#include "app/CKinemorphixApp.h"
#include "app/CKinemorphixDoc.h"
#include "app/CMainFrame.h"
#include "app/CPropertyDialog.h"
#include "app/CSmartSplitterWnd.h"
#include "app/logic/ColorSettings.h"
#include "app/logic/CommandIds.h"
#include "app/logic/CommandTable.h"
#include "app/logic/IProfile.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "support/TempFiles.h"

#include <wx/aui/auibar.h>
#include <wx/colordlg.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/statusbr.h>
#include <wx/testing.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <dlfcn.h>

#include <cstdlib>
#include <memory>

namespace {

// The colour dialog: checks what it was opened with and answers with a colour.
class ChooseColour : public wxExpectModalBase<wxColourDialog, ChooseColour> {
public:
    ChooseColour(COLORREF initial, wxColour answer) : m_initial(initial), m_answer(answer) {}

protected:
    int OnInvoked(wxColourDialog* dialog) const override
    {
        wxColourData& data = dialog->GetColourData();
        EXPECT_TRUE(data.GetChooseFull());
        EXPECT_EQ(data.GetColour(), wxColour(RedOf(m_initial), GreenOf(m_initial), BlueOf(m_initial)));
        if (!m_answer.IsOk())
            return wxID_CANCEL;
        // The native dialog hands back what its colour selection holds: set that, as a
        // user's pick does.
        struct Rgba {
            double red, green, blue, alpha;
        };
        using GetSelection = void* (*)(void*);
        using SetRgba = void (*)(void*, const Rgba*);
        const auto getSelection =
            reinterpret_cast<GetSelection>(dlsym(RTLD_DEFAULT, "gtk_color_selection_dialog_get_color_selection"));
        const auto setRgba = reinterpret_cast<SetRgba>(dlsym(RTLD_DEFAULT, "gtk_color_selection_set_current_rgba"));
        if (!getSelection || !setRgba) {
            ADD_FAILURE() << "no native colour selection";
            return wxID_CANCEL;
        }
        const Rgba rgba{m_answer.Red() / 255.0, m_answer.Green() / 255.0, m_answer.Blue() / 255.0, 1.0};
        setRgba(getSelection(dialog->GetHandle()), &rgba);
        return wxID_OK;
    }

private:
    COLORREF m_initial;
    wxColour m_answer;
};

// The settings dialog: each attempt types both fields and presses OK, until one is taken.
class FillSettings : public wxExpectModalBase<CPropertyDialog, FillSettings> {
public:
    struct Seen {
        std::string angle, range;
    };
    FillSettings(std::vector<std::pair<const char*, const char*>> attempts, std::shared_ptr<Seen> seen)
        : m_attempts(std::move(attempts)), m_seen(std::move(seen))
    {
    }

protected:
    int OnInvoked(CPropertyDialog* dialog) const override
    {
        dialog->TransferDataToWindow();
        m_seen->angle = dialog->AngleField()->GetValue().utf8_string();
        m_seen->range = dialog->RangeField()->GetValue().utf8_string();
        for (const auto& [angle, range] : m_attempts) {
            dialog->AngleField()->SetValue(wxString::FromUTF8(angle));
            dialog->RangeField()->SetValue(wxString::FromUTF8(range));
            if (dialog->Validate() && dialog->TransferDataFromWindow())
                return wxID_OK;
        }
        return wxID_CANCEL;
    }

private:
    std::vector<std::pair<const char*, const char*>> m_attempts;
    std::shared_ptr<Seen> m_seen;
};

// Puts the profile's colours back after a test that changes them.
class KeepProfileColours {
public:
    KeepProfileColours()
    {
        for (const ColorSetting& color : ColorSettings())
            m_values.push_back(TheApp().Profile().GetProfileInt(kProfileSection, color.key, color.defaultColor));
    }
    ~KeepProfileColours()
    {
        for (std::size_t i = 0; i < m_values.size(); ++i)
            TheApp().Profile().WriteProfileInt(kProfileSection, ColorSettings()[i].key, m_values[i]);
    }

private:
    std::vector<long> m_values;
};

}  // namespace

TEST_F(EditorTest, CameraPresetsTurnTheViewOnTheirKeys)
{
    StartEditor({SamplePath()});
    struct Row {
        int key, modifiers;
        float panY, rx, ry, rz;
    };
    const Row rows[] = {
        {WXK_F1, 0, 7, 0, -90, 0},  {WXK_F1, wxMOD_SHIFT, 7, 0, 90, 0},  {WXK_F2, 0, 0, 90, 0, 0},
        {WXK_F2, wxMOD_SHIFT, 0, -90, 0, 0}, {WXK_F3, 0, 7, 0, 0, 0},    {WXK_F3, wxMOD_SHIFT, 7, 0, 180, 0},
    };
    CapturedFrame previous = CaptureView();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.key * 10 + (row.modifiers ? 1 : 0));
        g_scene.m_camera.m_translate = CVector(5, 7, -1234);
        g_scene.m_camera.m_rotate = CVector(1, 2, 3);
        PressKey(row.key, row.modifiers);
        EXPECT_EQ(g_scene.m_camera.m_translate.m_x, 0.0f);
        EXPECT_EQ(g_scene.m_camera.m_translate.m_y, row.panY);
        EXPECT_EQ(g_scene.m_camera.m_translate.m_z, -1234.0f);
        EXPECT_EQ(g_scene.m_camera.m_rotate.m_x, row.rx);
        EXPECT_EQ(g_scene.m_camera.m_rotate.m_y, row.ry);
        EXPECT_EQ(g_scene.m_camera.m_rotate.m_z, row.rz);
        const CapturedFrame shot = CaptureView();
        EXPECT_NE(shot.rgb, previous.rgb) << "the view was not redrawn from the new side";
        previous = shot;
    }
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(EditorTest, BarsAreShownAndHiddenEachByItsOwnItem)
{
    StartEditor();
    CMainFrame& frame = Frame();
    wxMenuBar* menus = frame.GetMenuBar();
    const int viewTop = frame.m_sceneView->GetScreenPosition().y;

    RunCommand(ID_VIEW_CONTROL_TOOLBAR);
    Pump(100);
    frame.UpdateWindowUI();
    EXPECT_FALSE(frame.m_controlToolBar->IsShown());
    EXPECT_TRUE(frame.m_mainToolBar->IsShown());
    EXPECT_FALSE(menus->IsChecked(WindowIdOf(ID_VIEW_CONTROL_TOOLBAR)));
    EXPECT_TRUE(menus->IsChecked(WindowIdOf(ID_VIEW_TOOLBAR)));

    RunCommand(ID_VIEW_TOOLBAR);
    RunCommand(ID_VIEW_STATUS_BAR);
    Pump(100);
    frame.UpdateWindowUI();
    EXPECT_FALSE(frame.m_mainToolBar->IsShown());
    EXPECT_FALSE(frame.m_controlToolBar->IsShown());
    EXPECT_FALSE(frame.m_statusBar->IsShown());
    EXPECT_FALSE(menus->IsChecked(WindowIdOf(ID_VIEW_TOOLBAR)));
    EXPECT_FALSE(menus->IsChecked(WindowIdOf(ID_VIEW_STATUS_BAR)));
    EXPECT_LT(frame.m_sceneView->GetScreenPosition().y, viewTop);  // the panes took the room
    EXPECT_EQ(frame.m_rightSplitter->PaneExtent(0), frame.ClientHeightWithBars() - 170);

    RunCommand(ID_VIEW_CONTROL_TOOLBAR);
    RunCommand(ID_VIEW_TOOLBAR);
    RunCommand(ID_VIEW_STATUS_BAR);
    Pump(100);
    frame.UpdateWindowUI();
    EXPECT_TRUE(frame.m_controlToolBar->IsShown());
    EXPECT_TRUE(menus->IsChecked(WindowIdOf(ID_VIEW_CONTROL_TOOLBAR)));
    EXPECT_EQ(frame.m_sceneView->GetScreenPosition().y, viewTop);

    // A button under the mouse shows its command's prompt; leaving it, the idle text returns.
    wxUIActionSimulator mouse;
    const wxRect open = frame.m_mainToolBar->GetToolRect(WindowIdOf(ID_FILE_OPEN));
    mouse.MouseMove(frame.m_mainToolBar->ClientToScreen(open.GetPosition() + open.GetSize() / 2));
    EXPECT_TRUE(WaitUntil([&] { return frame.m_statusBar->GetStatusText(0) == wxString::FromUTF8("既存のファイルを開く"); }));
    FocusWindow(*frame.m_sceneView);
    EXPECT_TRUE(WaitUntil([&] { return frame.m_statusBar->GetStatusText(0) == wxString::FromUTF8("レディ"); }));

    // Both rows keep their icons and labels.
    for (wxAuiToolBar* bar : {frame.m_mainToolBar, frame.m_controlToolBar}) {
        for (size_t i = 0; i < bar->GetToolCount(); ++i) {
            const wxAuiToolBarItem* tool = bar->FindToolByIndex(static_cast<int>(i));
            if (tool->GetKind() != wxITEM_SEPARATOR) {
                EXPECT_TRUE(tool->GetBitmapBundle().IsOk()) << tool->GetLabel().utf8_string();
            }
        }
    }
}

TEST_F(EditorTest, ColourDialogStoresTheColourInTheProfileAndRedraws)
{
    KeepProfileColours keep;
    StartEditor({SamplePath()});
    ASSERT_FALSE(Doc().IsModified());
    const COLORREF green = MakeRgb(0, 200, 0);
    EXPECT_EQ(CountColour(CaptureView(), green), 0);

    // Cancel changes nothing; OK takes the colour into the scene, the profile and the view.
    const COLORREF line = g_scene.m_lineColor;
    wxTEST_DIALOG(RunCommand(ID_COLOR_LINE), ChooseColour(line, wxColour()));
    EXPECT_EQ(g_scene.m_lineColor, line);
    wxTEST_DIALOG(RunCommand(ID_COLOR_LINE), ChooseColour(line, wxColour(0, 200, 0)));
    EXPECT_EQ(g_scene.m_lineColor, green);
    EXPECT_GT(CountColour(CaptureView(), green), 100);
    EXPECT_FALSE(Doc().IsModified());
    const char* xdgConfig = std::getenv("XDG_CONFIG_HOME");
    ASSERT_NE(xdgConfig, nullptr);
    const std::string profile = testsupport::ReadFile(std::string(xdgConfig) + "/kinemorphix/kinemorphix.conf");
    EXPECT_NE(profile.find("[ProgramData]"), std::string::npos) << profile;
    EXPECT_NE(profile.find("LineColor=51200\n"), std::string::npos) << profile;

    // The selection frame's command keeps its own key; New reads both back from the profile.
    wxTEST_DIALOG(RunCommand(ID_COLOR_SELECTION_FRAME),
                  ChooseColour(g_scene.m_selectColor, wxColour(0x12, 0x34, 0x56)));
    g_scene.m_lineColor = 0;
    g_scene.m_selectColor = 0;
    PressKey('n', wxMOD_CONTROL);
    EXPECT_EQ(g_scene.m_lineColor, green);
    EXPECT_EQ(g_scene.m_selectColor, MakeRgb(0x12, 0x34, 0x56));
    EXPECT_EQ(TheApp().Profile().GetProfileInt("ProgramData", "SelectColor", 0), 0x563412);
}

TEST_F(EditorTest, SettingsDialogRefusesTextThatIsNoNumberAndAppliesOk)
{
    StartEditor({SamplePath()});
    auto seen = std::make_shared<FillSettings::Seen>();
    g_scene.m_smoothingAngle = 89.5f;
    g_scene.m_weightMapRange = 0;

    // Cancel keeps everything, after showing the scene's values.
    wxTEST_DIALOG(RunCommand(ID_SETTINGS_PROPERTIES), FillSettings({}, seen));
    EXPECT_EQ(seen->angle, "89.5");
    EXPECT_EQ(seen->range, "0");
    EXPECT_EQ(g_scene.m_smoothingAngle, 89.5f);

    // Text that is no number keeps the dialog open with a message; then OK applies.
    wxTEST_DIALOG(RunCommand(ID_SETTINGS_PROPERTIES), FillSettings({{"abc", "2"}, {"30", "2.5"}, {" 30 ", "2"}}, seen),
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
