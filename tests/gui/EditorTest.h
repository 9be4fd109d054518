// The fixture of the GUI tests: the real application objects under Xvfb, driven with real
// key presses and clicks (wxUIActionSimulator). Each test starts the editor (the frame, its
// panes and the document) with StartEditor and the fixture closes it afterwards without
// questions. Message boxes are answered with wxTEST_DIALOG; a message box or dialog that no
// test expects fails the test and is cancelled. File dialogs are answered through the
// file-chooser seam (m_chooser). XDG_CONFIG_HOME and XDG_DATA_HOME point into a temporary
// folder for the whole run.
//
//     TEST_F(EditorTest, Something)
//     {
//         StartEditor({ModelPath()});
//         m_chooser.Answer(m_dir.File("a.zlkx"));
//         wxTEST_DIALOG(PressKey('n', wxMOD_CONTROL), wxExpectModal<wxMessageDialog>(wxNO));
//         SavePng(CaptureView(), ShotPath("something"));
//     }
#pragma once

#include "app/logic/IFileChooser.h"
#include "support/TempFiles.h"
#include "viewport/WxKinemorphixView.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

class CKinemorphixDoc;
class CMainFrame;
class wxAuiToolBar;
class wxWindow;

// Answers file dialogs with the queued paths; an empty queue cancels. Keeps every request.
class CScriptedFileChooser : public IFileChooser {
public:
    std::optional<FileDialogAnswer> Choose(const FileDialogRequest& request) override;
    void Answer(const std::string& path, int filterIndex = 1) { m_answers.push_back({path, filterIndex}); }

    std::vector<FileDialogRequest> m_requests;

private:
    std::deque<FileDialogAnswer> m_answers;
};

class EditorTest : public ::testing::Test {
public:
    // Set by the test program's main when there is no display (the tests then skip).
    static void SetDisplayAvailable(bool available);

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
    // types it; the events are handled before it returns.
    void PressKey(int keyCode, int modifiers = 0);
    // A mouse click on a toolbar button.
    void ClickTool(wxAuiToolBar& toolBar, int commandId);
    // Moves the mouse into a window and gives it the keyboard focus.
    void FocusWindow(wxWindow& window);

    // The 3D view's next frame, read back from the canvas.
    CapturedFrame CaptureView();
    static bool SavePng(const CapturedFrame& frame, const std::string& path);
    // The main window as the screen shows it (menus, bars, panes and the 3D view), taken from
    // the X server with ImageMagick's import.
    bool SaveWindowPng(const std::string& path);
    // Where screenshots go: the build's tests folder.
    static std::string ShotPath(const std::string& name);

    static std::string ModelPath();  // a corpus model with a bone object
    static std::string CorpusPath(const std::string& relative);

    testsupport::TempDir m_dir;
    CScriptedFileChooser m_chooser;

private:
    IFileChooser* m_previousChooser = nullptr;
};
