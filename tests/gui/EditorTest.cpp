#include "EditorTest.h"

#include "app/CKinemorphixApp.h"
#include "app/CKinemorphixDoc.h"
#include "app/CMainFrame.h"
#include "app/logic/CommandTable.h"

#include <wx/aui/auibar.h>
#include <wx/filehistory.h>
#include <wx/image.h>
#include <wx/stopwatch.h>
#include <wx/toplevel.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <cstring>

namespace {
// Counts the releases of keys and mouse buttons that reach any window of the program.
class ReleaseCounter : public wxEventFilter {
public:
    ReleaseCounter() { wxEvtHandler::AddFilter(this); }
    ~ReleaseCounter() override { wxEvtHandler::RemoveFilter(this); }
    int FilterEvent(wxEvent& event) override
    {
        const wxEventType type = event.GetEventType();
        if (type == wxEVT_KEY_UP || type == wxEVT_LEFT_UP || type == wxEVT_RIGHT_UP || type == wxEVT_MIDDLE_UP)
            ++m_count;
        return Event_Skip;
    }
    unsigned m_count = 0;
};

ReleaseCounter& Releases()
{
    static ReleaseCounter counter;
    return counter;
}
}  // namespace

void EditorTest::SetUp()
{
    if (!s_displayAvailable)
        GTEST_SKIP() << "no display";
    Releases();
    m_previousChooser = SetFileChooser(&m_chooser);
    // Every test starts with an empty recent-file list.
    while (TheApp().FileHistory().GetCount() > 0)
        TheApp().RemoveFromRecentFiles(0);
}

void EditorTest::TearDown()
{
    if (!s_displayAvailable)
        return;
    TheApp().CloseEditor();
    WaitUntil([] { return TheApp().GetMainFrame() == nullptr; });
    SetFileChooser(m_previousChooser);
}

void EditorTest::StartEditor(const std::vector<std::string>& args)
{
    ASSERT_EQ(TheApp().GetMainFrame(), nullptr);
    ASSERT_TRUE(TheApp().StartEditor(args));
    ASSERT_TRUE(WaitUntil([] { return TheApp().GetMainFrame()->IsShownOnScreen(); }));
    CaptureView();
}

CKinemorphixDoc& EditorTest::Doc()
{
    return TheDocument();
}

CMainFrame& EditorTest::Frame()
{
    return TheMainFrame();
}

void EditorTest::Pump(int milliseconds)
{
    wxStopWatch watch;
    do {
        wxTheApp->Yield(true);
        wxTheApp->ProcessIdle();
        wxMilliSleep(5);
    } while (watch.Time() < milliseconds);
}

bool EditorTest::WaitUntil(const std::function<bool()>& condition, int timeoutMilliseconds)
{
    wxStopWatch watch;
    while (!condition()) {
        if (watch.Time() > timeoutMilliseconds)
            return false;
        Pump(10);
    }
    return true;
}

unsigned EditorTest::ReleasesSeen()
{
    return Releases().m_count;
}

bool EditorTest::SettleInput(unsigned before, int timeoutMilliseconds)
{
    const bool arrived = WaitUntil([before] { return Releases().m_count > before; }, timeoutMilliseconds);
    Pump(30);
    return arrived;
}

void EditorTest::FocusWindow(wxWindow& window)
{
    // Without a window manager the X server sends keys to the window that holds its input
    // focus, or to the one under the pointer: give the program the focus explicitly (its
    // top-level window is raised and focused) and move the pointer there too.
    wxTopLevelWindow* top = wxDynamicCast(wxGetTopLevelParent(&window), wxTopLevelWindow);
    if (top)
        top->Raise();
    wxUIActionSimulator simulator;
    const wxRect rect = window.GetScreenRect();
    simulator.MouseMove(rect.GetLeft() + rect.GetWidth() / 2, rect.GetTop() + rect.GetHeight() / 2);
    Pump(50);
    window.SetFocus();
    EXPECT_TRUE(WaitUntil([&] { return (!top || top->IsActive()) && wxWindow::FindFocus() == &window; }, 5000))
        << "the window did not get the keyboard focus";
    Pump(20);
}

bool EditorTest::SimulateUntilReleased(const std::function<void()>& simulate)
{
    // Now and then a busy X server loses simulated input (nothing of it reaches any window):
    // then it is sent once more. Input that arrived is never sent twice.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const unsigned before = ReleasesSeen();
        simulate();
        if (SettleInput(before, attempt == 0 ? 3000 : 10000))
            return true;
    }
    return false;
}

void EditorTest::PressKey(int keyCode, int modifiers)
{
    FocusWindow(*Frame().m_sceneView);
    TypeKey(keyCode, modifiers);
}

void EditorTest::TypeKey(int keyCode, int modifiers)
{
    EXPECT_TRUE(SimulateUntilReleased([&] { wxUIActionSimulator().Char(keyCode, modifiers); }))
        << "the key press never arrived";
}

void EditorTest::TypeText(const std::string& text)
{
    EXPECT_TRUE(SimulateUntilReleased([&] { wxUIActionSimulator().Text(text.c_str()); }))
        << "the typed text never arrived";
}

void EditorTest::ClickAt(wxWindow& window, const wxPoint& point, int button)
{
    EXPECT_TRUE(SimulateUntilReleased([&] { ClickOnly(window, point, button); })) << "the click never arrived";
}

void EditorTest::ClickTool(wxAuiToolBar& toolBar, int commandId)
{
    const wxRect rect = toolBar.GetToolRect(WindowIdOf(commandId));
    ASSERT_FALSE(rect.IsEmpty());
    ClickAt(toolBar, Centre(rect));
}

void EditorTest::ClickOnly(wxWindow& window, const wxPoint& point, int button, bool twice)
{
    wxUIActionSimulator simulator;
    simulator.MouseMove(window.ClientToScreen(point));
    Pump(100);  // a toolbar button takes the click only once the pointer rests on it
    twice ? simulator.MouseDblClick(button) : simulator.MouseClick(button);
}

void EditorTest::RunCommand(int commandId)
{
    wxCommandEvent event(wxEVT_MENU, WindowIdOf(commandId));
    TheMainFrame().GetEventHandler()->ProcessEvent(event);
}

CapturedFrame EditorTest::CaptureView()
{
    CapturedFrame captured;
    bool done = false;
    Frame().m_sceneView->CaptureNextFrame([&](const CapturedFrame& frame) {
        captured = frame;
        done = true;
    });
    EXPECT_TRUE(WaitUntil([&] { return done; })) << "the 3D view drew nothing";
    return captured;
}

int EditorTest::CountColour(const CapturedFrame& frame, COLORREF colour)
{
    int n = 0;
    for (std::size_t i = 0; i + 2 < frame.rgb.size(); i += 3)
        n += frame.rgb[i] == RedOf(colour) && frame.rgb[i + 1] == GreenOf(colour) && frame.rgb[i + 2] == BlueOf(colour);
    return n;
}

bool EditorTest::SavePng(const CapturedFrame& frame, const std::string& path)
{
    if (frame.width <= 0 || frame.height <= 0)
        return false;
    wxImage image(frame.width, frame.height, false);
    std::memcpy(image.GetData(), frame.rgb.data(), frame.rgb.size());
    return image.SaveFile(wxString::FromUTF8(path), wxBITMAP_TYPE_PNG);
}

bool EditorTest::SaveWindowPng(const std::string& path)
{
    Pump(200);
    const wxRect rect = Frame().GetScreenRect();
    const wxString command = wxString::Format("/usr/bin/import -window root -crop %dx%d+%d+%d +repage %s", rect.width,
                                              rect.height, rect.x, rect.y, wxString::FromUTF8(path));
    return wxExecute(command, wxEXEC_SYNC) == 0;
}
