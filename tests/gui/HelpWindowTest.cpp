// The help page in the program's own window, opened with its key: Japanese lines wrap at the
// window's width, so that nothing runs past its right edge, and Escape closes it.
#include "EditorTest.h"

#include "app/CHelpWindow.h"

#include <wx/html/htmlcell.h>
#include <wx/html/htmlwin.h>
#include <wx/stdpaths.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

class HelpWindowTest : public EditorTest {
protected:
    // The page beside the test program, as the build puts it beside the editor.
    void SetUp() override
    {
        EditorTest::SetUp();
        fs::copy_file(fs::path(KMX_SOURCE_DIR) / "resources/help/Kinemorphix.html", m_page,
                      fs::copy_options::overwrite_existing);
    }
    void TearDown() override
    {
        if (CHelpWindow* help = CHelpWindow::Current())
            help->Destroy();
        std::error_code ec;
        fs::remove(m_page, ec);
        EditorTest::TearDown();
    }

    const fs::path m_page =
        fs::path(wxStandardPaths::Get().GetExecutablePath().utf8_string()).parent_path() / "Kinemorphix.html";
};

TEST_F(HelpWindowTest, JapaneseLinesWrapAtTheWindowsWidthAndEscapeClosesIt)
{
    StartEditor();
    // No web browser here: the program's own window shows the page.
    PressKey('i', wxMOD_ALT);
    ASSERT_TRUE(WaitUntil([] { return CHelpWindow::Current() && CHelpWindow::Current()->IsShownOnScreen(); }));
    CHelpWindow& help = *CHelpWindow::Current();
    wxHtmlWindow& page = *help.Page();

    for (const int width : {760, 420}) {
        SCOPED_TRACE(width);
        help.SetSize(width, 640);
        Pump(300);
        const int clientWidth = page.GetClientSize().x;
        EXPECT_EQ(page.GetVirtualSize().x, clientWidth);
        // Every word, in paragraphs, lists and tables, ends inside the window.
        const wxHtmlContainerCell* root = page.GetInternalRepresentation();
        int rightmost = 0;
        for (wxHtmlTerminalCellsInterator cell(root->GetFirstTerminal(), root->GetLastTerminal()); cell; ++cell)
            rightmost = std::max(rightmost, cell->GetAbsPos().x + cell->GetWidth());
        EXPECT_LE(rightmost, clientWidth);
        const wxRect shown = help.GetScreenRect();
        EXPECT_EQ(wxExecute(wxString::Format("/usr/bin/import -window root -crop %dx%d+%d+%d +repage %s", shown.width,
                                             shown.height, shown.x, shown.y,
                                             wxString::FromUTF8(ShotPath("help_window_" + std::to_string(width)))),
                            wxEXEC_SYNC),
                  0);
    }

    // The window goes with the press: its release finds no window of ours to count it.
    FocusWindow(page);
    wxUIActionSimulator().Char(WXK_ESCAPE);
    EXPECT_TRUE(WaitUntil([] { return CHelpWindow::Current() == nullptr; }));
}
