// The document's commands in the running editor: their accelerators on a rigged model, the
// key-frame dialog, and text fields that keep their editing keys.
#include "EditorTest.h"

#include "app/CDialogKeyFrame.h"
#include "app/CKinemorphixApp.h"
#include "app/CKinemorphixDoc.h"
#include "app/CMainFrame.h"
#include "app/CSliderView.h"
#include "app/logic/CommandIds.h"
#include "app/logic/CommandRegistry.h"
#include "app/logic/CommandTable.h"
#include "app/logic/IProfile.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <wx/colordlg.h>
#include <wx/msgdlg.h>
#include <wx/radiobut.h>
#include <wx/testing.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

namespace {

// Fills in the key-frame dialog as a user would and presses OK.
class KeyFrameAnswer : public wxExpectModalBase<CDialogKeyFrame, KeyFrameAnswer> {
public:
    KeyFrameAnswer(const char* frameText, int action) : m_frameText(frameText), m_action(action) {}

protected:
    int OnInvoked(CDialogKeyFrame* dialog) const override
    {
        dialog->TransferDataToWindow();
        EXPECT_TRUE(dialog->Choice(1)->GetValue()) << "the last choice is offered again";
        dialog->FrameEdit()->ChangeValue(m_frameText);
        dialog->Choice(m_action)->SetValue(true);
        return dialog->TransferDataFromWindow() ? wxID_OK : wxID_CANCEL;
    }

private:
    wxString m_frameText;
    int m_action;
};

CAnimation& Sample(int bone, int frame) { return g_scene.m_bones[bone].m_animations[0][frame]; }

}  // namespace

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

    // Ctrl+K: frame 9 for every bone; then text that is no number.
    Doc().m_keyFrameAction = 1;
    wxTEST_DIALOG(PressKey('k', wxMOD_CONTROL), KeyFrameAnswer("9", 1));
    for (int bone : {1, 2})
        EXPECT_TRUE(Sample(bone, 9).m_key) << bone;
    EXPECT_FLOAT_EQ(Sample(1, 9).m_rotate.m_z, 30);
    wxTEST_DIALOG(PressKey('k', wxMOD_CONTROL), KeyFrameAnswer("9x", 3),
                  wxExpectModal<wxMessageDialog>(wxOK).Describe("not a number"));
    EXPECT_TRUE(Sample(2, 9).m_key);

    // Keys: Ctrl+I, Ctrl+G finds 5; Ctrl+U clears frame 5 on every bone and in-betweens.
    PressKey('i', wxMOD_CONTROL);
    PressKey('g', wxMOD_CONTROL);
    EXPECT_EQ(g_currentFrame, 5);
    PressKey('u', wxMOD_CONTROL);
    EXPECT_FALSE(Sample(1, 5).m_key);
    EXPECT_NEAR(Sample(1, 5).m_rotate.m_z, 30.0f * 5 / 9, 3.0f);

    // Play from the last frame starts at 0.
    PressKey('j', wxMOD_CONTROL);
    PressKey('b', wxMOD_CONTROL);
    EXPECT_EQ(g_currentFrame, 0);

    // Alt+N: the colour chosen (here the one offered) goes to the profile, which the later
    // tests get back as it was.
    IProfile& profile = TheApp().Profile();
    const long before = profile.GetProfileInt("ProgramData", "BgColor", long{MakeRgb(30, 65, 90)});
    g_scene.m_backgroundColor = MakeRgb(40, 50, 60);
    Doc().SetModifiedFlag(false);
    wxTEST_DIALOG(PressKey('n', wxMOD_ALT), wxExpectDismissableModal<wxColourDialog>(wxID_OK));
    EXPECT_EQ(profile.GetProfileInt("ProgramData", "BgColor", 0), long{MakeRgb(40, 50, 60)});
    EXPECT_TRUE(Doc().IsModified());
    profile.WriteProfileInt("ProgramData", "BgColor", before);
    SavePng(CaptureView(), ShotPath("document_commands"));
}

TEST_F(EditorTest, TextFieldsKeepTheirEditingKeys)
{
    StartEditor({ModelPath()});
    // The window commands behind Ctrl+A and Alt+Backspace, counted.
    CCommandRegistry& registry = CCommandRegistry::Instance();
    const CommandEntry saveAs = registry.Find(ID_FILE_SAVE_AS), undo = registry.Find(ID_EDIT_UNDO);
    int commandRuns = 0;
    registry.Add(ID_FILE_SAVE_AS, [&] { ++commandRuns; });
    registry.Add(ID_EDIT_UNDO, [&] { ++commandRuns; });

    auto* field = new wxTextCtrl(Frame().m_sliderView, wxID_ANY, "frame", wxPoint(10, 10), wxSize(200, -1));
    FocusWindow(*field);
    field->SetInsertionPointEnd();
    wxUIActionSimulator keys;
    const auto type = [&](int key, int modifiers) {
        keys.Char(key, modifiers);
        Pump(100);
    };
    type(WXK_BACK, 0);
    EXPECT_EQ(field->GetValue(), "fram");
    type('a', wxMOD_CONTROL);  // selects all, which Ctrl+X then cuts
    type('x', wxMOD_CONTROL);
    EXPECT_EQ(field->GetValue(), "");
    type('v', wxMOD_CONTROL);
    type('v', wxMOD_CONTROL);
    EXPECT_EQ(field->GetValue(), "framfram");
    type(WXK_BACK, wxMOD_ALT);
    type('c', wxMOD_CONTROL);
    EXPECT_EQ(commandRuns, 0);

    // Outside the field the same key is the window's command again.
    PressKey('a', wxMOD_CONTROL);
    EXPECT_EQ(commandRuns, 1);
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
        wxCommandEvent menu(wxEVT_MENU, WindowIdOf(ID_FILE_LOAD_BACKGROUND));
        Frame().ProcessWindowEvent(menu);
        Pump(100);
    };
    load(CorpusPath("garlic-flavor+mqo_loader/shodai_dsan.mqo"));
    ASSERT_FALSE(g_scene.m_backgroundModels.empty());
    const CapturedFrame shown = CaptureView();
    EXPECT_NE(shown.rgb, empty.rgb);
    SavePng(shown, ShotPath("background_model"));

    wxTEST_DIALOG(load(CorpusPath("nutti+blender-mqo/simple.mqo")), wxExpectModal<wxMessageDialog>(wxOK));
    PressKey('n', wxMOD_CONTROL);
    EXPECT_EQ(CaptureView().rgb, empty.rgb);
}
