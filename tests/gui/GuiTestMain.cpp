// The GUI tests' program: the real application object, started once, with an event loop
// that the tests pump; a fresh editor per test (EditorTest).
#include "EditorTest.h"

#include "app/CKinemorphixApp.h"

#include <wx/evtloop.h>
#include <wx/log.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>

#include <cstdlib>

namespace {

// A dialog no test expected: the test fails and the dialog is cancelled, so nothing hangs.
class UnexpectedDialogs : public wxModalDialogHook {
protected:
    int Enter(wxDialog* dialog) override
    {
        wxString text = dialog->GetTitle();
        if (auto* message = wxDynamicCast(dialog, wxMessageDialog))
            text += ": " + message->GetMessage();
        ADD_FAILURE() << "unexpected dialog " << text.utf8_string();
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};

void OnAssert(const wxString& file, int line, const wxString& function, const wxString& condition,
              const wxString& message)
{
    ADD_FAILURE_AT(file.utf8_string().c_str(), line)
        << "wx assertion in " << function.utf8_string() << ": " << condition.utf8_string() << " "
        << message.utf8_string();
}

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    const bool display = std::getenv("DISPLAY") && !testing::GTEST_FLAG(list_tests);
    EditorTest::SetDisplayAvailable(display);
    if (!display)
        return RUN_ALL_TESTS();

    // A profile and data folder of our own; no D-Bus settings noise; X11 for the GL canvas.
    testsupport::TempDir home;
    setenv("XDG_CONFIG_HOME", (home.Path() + "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home.Path() + "data").c_str(), 1);
    setenv("GSETTINGS_BACKEND", "memory", 1);
    setenv("GDK_BACKEND", "x11", 1);

    CKinemorphixApp::SetEditorStartedByOnInit(false);
    wxApp::SetInstance(new CKinemorphixApp);
    int wxArgc = 1;
    char* wxArgv[] = {argv[0], nullptr};
    if (!wxEntryStart(wxArgc, wxArgv))
        return 1;
    wxLog::SetActiveTarget(new wxLogStderr);
    wxSetAssertHandler(OnAssert);
    int result = 1;
    if (wxTheApp->CallOnInit()) {
        wxEventLoop loop;
        wxEventLoopActivator activate(&loop);
        UnexpectedDialogs unexpected;
        unexpected.Register();
        result = RUN_ALL_TESTS();
        unexpected.Unregister();
        wxTheApp->OnExit();
    }
    wxEntryCleanup();
    return result;
}
