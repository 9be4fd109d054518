// The frame's own commands in the running editor: camera presets on their keys, the bars'
// toggles and prompts, the colour dialog and the settings dialog.
#include "EditorTest.h"
#include "EditorTestHelpers.h"

#include "app/CKinemorphixDoc.h"
#include "app/CPropertyDialog.h"
#include "app/CSmartSplitterWnd.h"
#include "app/logic/ColorSettings.h"
#include "app/logic/CommandIds.h"
#include "app/logic/IProfile.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "support/TempFiles.h"

#include <wx/aui/auibar.h>
#include <wx/colordlg.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <dlfcn.h>

#include <cstdlib>
#include <memory>
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

// The settings dialog: shows what it was opened with; each attempt types both fields and
// presses OK, until one is taken (none taken: Cancel).
class FillSettings : public wxExpectModalBase<CPropertyDialog, FillSettings> {
public:
    using Attempts = std::vector<std::pair<const char*, const char*>>;
    FillSettings(Attempts attempts, std::shared_ptr<std::string> shown) : m_attempts(attempts), m_shown(shown) {}

protected:
    int OnInvoked(CPropertyDialog* dialog) const override
    {
        dialog->TransferDataToWindow();
        *m_shown = (dialog->AngleField()->GetValue() + "|" + dialog->RangeField()->GetValue()).utf8_string();
        for (const auto& [angle, range] : m_attempts) {
            dialog->AngleField()->SetValue(wxString::FromUTF8(angle));
            dialog->RangeField()->SetValue(wxString::FromUTF8(range));
            if (dialog->Validate() && dialog->TransferDataFromWindow())
                return wxID_OK;
        }
        return wxID_CANCEL;
    }

private:
    Attempts m_attempts;
    std::shared_ptr<std::string> m_shown;
};

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
    EXPECT_EQ(frame.m_rightSplitter->PaneExtent(0), frame.ClientHeightWithBars() - 170);
    for (int id : {ID_VIEW_CONTROL_TOOLBAR, ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR})
        RunCommand(id);
    Pump(100);
    for (wxAuiToolBar* bar : {frame.m_mainToolBar, frame.m_controlToolBar}) {
        for (size_t i = 0; i < bar->GetToolCount(); ++i) {
            const wxAuiToolBarItem* tool = bar->FindToolByIndex(static_cast<int>(i));
            EXPECT_TRUE(tool->GetKind() == wxITEM_SEPARATOR || tool->GetBitmapBundle().IsOk()) << i;
        }
    }

    // A button under the mouse shows its command's prompt; leaving it, the idle text returns.
    const wxRect open = frame.m_mainToolBar->GetToolRect(WindowIdOf(ID_FILE_OPEN));
    wxUIActionSimulator().MouseMove(frame.m_mainToolBar->ClientToScreen(open.GetPosition() + open.GetSize() / 2));
    const auto status = [&] { return frame.m_statusBar->GetStatusText(0).utf8_string(); };
    EXPECT_TRUE(WaitUntil([&] { return status() == "既存のファイルを開く"; }));
    FocusWindow(*frame.m_sceneView);
    EXPECT_TRUE(WaitUntil([&] { return status() == "レディ"; }));
}

TEST_F(EditorTest, ColourDialogStoresTheColourInTheProfileAndRedraws)
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

    // The selection frame's command keeps its own key; New reads both back from the profile.
    wxTEST_DIALOG(RunCommand(ID_COLOR_SELECTION_FRAME), ChooseColour(g_scene.m_selectColor, wxColour(0x12, 0x34, 0x56)));
    g_scene.m_lineColor = g_scene.m_selectColor = 0;
    PressKey('n', wxMOD_CONTROL);
    EXPECT_EQ(g_scene.m_lineColor, green);
    EXPECT_EQ(g_scene.m_selectColor, 0x563412u);

    for (std::size_t i = 0; i < kept.size(); ++i)
        TheApp().Profile().WriteProfileInt(kProfileSection, ColorSettings()[i].key, kept[i]);
}

TEST_F(EditorTest, SettingsDialogRefusesTextThatIsNoNumberAndAppliesOk)
{
    StartEditor({SamplePath()});
    auto shown = std::make_shared<std::string>();
    g_scene.m_smoothingAngle = 89.5f;
    wxTEST_DIALOG(RunCommand(ID_SETTINGS_PROPERTIES), FillSettings({}, shown));
    EXPECT_EQ(*shown, "89.5|0");
    EXPECT_EQ(g_scene.m_smoothingAngle, 89.5f);

    // Text that is no number keeps the dialog open with a message; then OK applies.
    wxTEST_DIALOG(RunCommand(ID_SETTINGS_PROPERTIES), FillSettings({{"abc", "2"}, {"30", "2.5"}, {" 30 ", "2"}}, shown),
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
