// A long read under the progress dialog: the user sees how far it has come and stops it
// with the dialog's cancel button.
#include "EditorTest.h"

#include "app/CKinemorphixApp.h"
#include "app/CKinemorphixDoc.h"
#include "app/CMainFrame.h"
#include "app/CWxProgressSink.h"
#include "app/logic/CommandIds.h"
#include "scene/CCentigrade.h"

#include <wx/progdlg.h>
#include <wx/stopwatch.h>

#include <cstdlib>
#include <filesystem>

namespace {

// Passes the reads' progress on to the program's dialog, and clicks the dialog's cancel
// button as a user does once it is on screen. The click comes from outside the program
// (xdotool): the toolkit's own simulator would yield inside the dialog's event handling.
// A click the X server loses is sent again.
class CancellingUser : public IProgressSink {
public:
    CancellingUser() : m_dialogs(TheApp().ProgressSink()), m_previous(SetProgressSink(this)) {}
    ~CancellingUser() override { SetProgressSink(m_previous); }

    void Begin(const std::string& text) override { m_dialogs.Begin(text); }
    void End() override { m_dialogs.End(); }
    bool Update(std::uint64_t done, std::uint64_t total) override
    {
        const bool goOn = m_dialogs.Update(done, total);
        reports.push_back(done);
        wxGenericProgressDialog* dialog = m_dialogs.Dialog();
        if (goOn && dialog && dialog->IsShownOnScreen() && (clicks == 0 || m_sinceClick.Time() > 2000)) {
            wxWindow* cancel = dialog->FindWindow(wxID_CANCEL);
            message = dialog->GetMessage().utf8_string();
            label = cancel->GetLabel().utf8_string();
            const wxPoint at = cancel->GetScreenPosition() + cancel->GetSize() / 2;
            const std::string click = "xdotool mousemove --sync " + std::to_string(at.x) + " " + std::to_string(at.y) +
                                      " click 1 &";
            EXPECT_EQ(std::system(click.c_str()), 0);
            ++clicks;
            m_sinceClick.Start();
        }
        if (!goOn)
            stoppedAt = done;
        return goOn;
    }

    std::vector<std::uint64_t> reports;
    int clicks = 0;
    std::uint64_t stoppedAt = 0;
    std::string message, label;

private:
    CWxProgressSink& m_dialogs;
    IProgressSink* m_previous;
    wxStopWatch m_sinceClick;
};

}  // namespace

TEST_F(EditorTest, LongReadShowsItsProgressAndTheCancelButtonStopsItWithoutAMessage)
{
    StartEditor({ModelPath()});
    // A model file of 32 GiB (sparse: nothing on the disk) after a valid head.
    const std::string path = m_dir.Write("huge.mqo", "Metasequoia Document\r\nFormat Text Ver 1.0\r\n");
    std::filesystem::resize_file(path, std::uintmax_t(32) << 30);

    CancellingUser user;
    m_chooser.Answer(path);
    Doc().SetModifiedFlag(false);
    RunCommand(ID_FILE_OPEN);

    EXPECT_GE(user.clicks, 1);
    EXPECT_EQ(user.message, "「huge.mqo」を読み込んでいます…");
    EXPECT_EQ(user.label, "キャンセル");
    ASSERT_GT(user.stoppedAt, 0u) << "the read was not stopped";
    EXPECT_LT(user.stoppedAt, std::filesystem::file_size(path));
    EXPECT_TRUE(std::is_sorted(user.reports.begin(), user.reports.end()));
    // As after a read that failed, but without a message box (an unexpected one fails the
    // test): the dialog is gone and the window takes input again.
    EXPECT_EQ(TheApp().ProgressSink().Dialog(), nullptr);
    EXPECT_EQ(Doc().GetTitle(), "\x96\xB3\x91\xE8");
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_TRUE(g_scene.m_models.empty() && g_scene.m_bones.empty());
    EXPECT_TRUE(Frame().IsEnabled());
    Pump(200);
    CaptureView();
}
