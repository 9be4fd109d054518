// The fixture of the GUI tests: the real application objects under Xvfb, driven with real
// key presses and clicks (wxUIActionSimulator). StartEditor starts the editor (frame, panes,
// document); the fixture closes it afterwards without questions. Message boxes and our own
// dialogs are answered with wxTEST_DIALOG; one that no test expects fails the test and is
// cancelled. File dialogs are answered through m_chooser. XDG_CONFIG_HOME and XDG_DATA_HOME
// point into a temporary folder for the whole run.
#pragma once

#include "app/TestDoubles.h"
#include "platform/Color.h"
#include "support/TempFiles.h"
#include "viewport/WxKinemorphixView.h"

#include <gtest/gtest.h>
#include <wx/evtloop.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>

#include <functional>
#include <string>
#include <vector>

class CKinemorphixDoc;
class CMainFrame;
class wxAuiToolBar;

class EditorTest : public ::testing::Test {
public:
    // Set by the test program's main when there is no display (the tests then skip).
    static void SetDisplayAvailable(bool available) { s_displayAvailable = available; }

protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the editor as the command line would (one file, or none for "無題") and waits
    // until its window is shown and the 3D view has been drawn once.
    void StartEditor(const std::vector<std::string>& args = {});
    CKinemorphixDoc& Doc();
    CMainFrame& Frame();

    // Runs the event loop for a while / until the condition holds (false on timeout).
    static void Pump(int milliseconds = 50);
    static bool WaitUntil(const std::function<bool()>& condition, int timeoutMilliseconds = 10000);

    // The number of key and mouse-button releases the program has received so far.
    static unsigned ReleasesSeen();
    // Waits until a release beyond the first `before` has arrived (the end of simulated
    // input) and the events before it are handled. The X server delivers simulated input in
    // its own time, so a fixed pause is not enough on a busy machine. False on timeout.
    //     const unsigned before = ReleasesSeen(); simulator.Char('a'); SettleInput(before);
    static bool SettleInput(unsigned before, int timeoutMilliseconds = 10000);
    // Runs simulate (simulated input ending in a release) and settles it; when nothing of it
    // arrived, runs it once more. False when it never arrived.
    static bool SimulateUntilReleased(const std::function<void()>& simulate);

    // A key press (with wxMOD_CONTROL, wxMOD_ALT, wxMOD_SHIFT) into the 3D view, as a user
    // types it / a key or text typed into the window that has the keyboard focus; the events
    // are handled before they return.
    void PressKey(int keyCode, int modifiers = 0);
    static void TypeKey(int keyCode, int modifiers = 0);
    static void TypeText(const std::string& text);
    // A mouse click at a point of a window's client area / at its centre / on a toolbar
    // button; handled before it returns.
    static void ClickAt(wxWindow& window, const wxPoint& point, int button = 1 /* wxMOUSE_BTN_LEFT */);
    static void ClickCentre(wxWindow& window) { ClickAt(window, Centre(window.GetClientRect())); }
    static void ClickTool(wxAuiToolBar& toolBar, int commandId);
    // A click or double click that does not wait for its release: a pop-up menu or a dialog
    // it opens takes the release for itself.
    static void ClickOnly(wxWindow& window, const wxPoint& point, int button = 1, bool twice = false);
    static wxPoint Centre(const wxRect& rect) { return {rect.x + rect.width / 2, rect.y + rect.height / 2}; }
    // Moves the mouse into a window and gives it the keyboard focus.
    static void FocusWindow(wxWindow& window);
    // Runs a menu command as a click on its item does (for items without a key).
    static void RunCommand(int commandId);

    // The 3D view's next frame, read back from the canvas, and its pixels of exactly a colour.
    CapturedFrame CaptureView();
    static int CountColour(const CapturedFrame& frame, COLORREF colour);
    static bool SavePng(const CapturedFrame& frame, const std::string& path);
    // The main window as the screen shows it (menus, bars, panes and the 3D view), taken from
    // the X server with ImageMagick's import.
    bool SaveWindowPng(const std::string& path);
    // Where screenshots go: the build's tests folder.
    static std::string ShotPath(const std::string& name) { return std::string(KMX_TEST_OUTPUT_DIR) + "/" + name + ".png"; }

    // A corpus model with a bone object; the shipped sample scene (a rigged figure that walks).
    static std::string ModelPath() { return std::string(KMX_TEST_DATA_DIR) + "/viewport/ninja_bones.mqo"; }
    static std::string SamplePath() { return std::string(KMX_TEST_DATA_DIR) + "/../../resources/sample/figure.zlkx"; }
    static std::string CorpusPath(const std::string& relative) { return std::string(KMX_TEST_DATA_DIR) + "/corpus/" + relative; }

    // One of our dialogs shown as to a user: `act` works it, then OK is clicked unless `act`
    // closed it; it ends with the id of the button that closed it. The dialog's hook runs
    // inside the fixture's own event handling, where the application refuses to yield again,
    // so the dialog's events go through a loop of its own.
    //     wxTEST_DIALOG(PressKey('a', wxMOD_CONTROL), DialogSession<CDialogSave>([](CDialogSave& d) {...}));
    template <class Dialog>
    class DialogSession : public wxExpectModalBase<Dialog, DialogSession<Dialog>> {
    public:
        explicit DialogSession(std::function<void(Dialog&)> act = {}) : m_act(std::move(act)) {}

    protected:
        int OnInvoked(Dialog* dialog) const override
        {
            wxEventLoop loop;
            wxEventLoopActivator activate(&loop);
            int closedBy = wxID_NONE;  // a dialog shown without ShowModal keeps no return code
            dialog->Bind(wxEVT_BUTTON, [&](wxCommandEvent& event) { closedBy = event.GetId(), event.Skip(); });
            dialog->Show();
            Pump(100);
            if (m_act)
                m_act(*dialog);
            if (dialog->IsShown())
                ClickCentre(*dialog->FindWindow(wxID_OK));
            EXPECT_TRUE(WaitUntil([&] { return !dialog->IsShown(); }));
            return closedBy;
        }

    private:
        std::function<void(Dialog&)> m_act;
    };

    testsupport::TempDir m_dir;
    ScriptedFileChooser m_chooser;

private:
    static inline bool s_displayAvailable = false;
    IFileChooser* m_previousChooser = nullptr;
};

// A message box whose text holds the given part, answered with `answer` (wxID_OK, wxID_YES,
// wxID_NO, wxID_CANCEL). Its buttons must read in Japanese whatever the locale, as the
// program's own dialogs do:
//     wxTEST_DIALOG(RunCommand(ID_...), ExpectMessage("削除しました"));
class ExpectMessage : public wxExpectModalBase<wxMessageDialog, ExpectMessage> {
public:
    explicit ExpectMessage(std::string part, int answer = wxID_OK) : m_part(std::move(part)), m_answer(answer) {}

protected:
    int OnInvoked(wxMessageDialog* dialog) const override
    {
        const std::string text = dialog->GetMessage().utf8_string();
        EXPECT_NE(text.find(m_part), std::string::npos) << text;
        const long style = dialog->GetMessageDialogStyle();
        std::string labels;
        if (style & wxYES_NO)
            labels = (dialog->GetYesLabel() + "/" + dialog->GetNoLabel()).utf8_string();
        else
            labels = dialog->GetOKLabel().utf8_string();
        if (style & wxCANCEL)
            labels += "/" + dialog->GetCancelLabel().utf8_string();
        EXPECT_TRUE(labels == "OK" || labels == "OK/キャンセル" || labels == "はい/いいえ" ||
                    labels == "はい/いいえ/キャンセル")
            << labels << " on " << text;
        return m_answer;
    }

private:
    std::string m_part;
    int m_answer;
};
