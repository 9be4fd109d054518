#include "EditorTest.h"

#include "app/CKinemorphixApp.h"
#include "app/CKinemorphixDoc.h"
#include "app/CMainFrame.h"
#include "app/logic/CommandTable.h"

#include <wx/aui/auibar.h>
#include <wx/filehistory.h>
#include <wx/image.h>
#include <wx/stopwatch.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <cstring>

namespace {
bool g_displayAvailable = false;
}

std::optional<FileDialogAnswer> CScriptedFileChooser::Choose(const FileDialogRequest& request)
{
    m_requests.push_back(request);
    if (m_answers.empty())
        return std::nullopt;
    FileDialogAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

void EditorTest::SetDisplayAvailable(bool available)
{
    g_displayAvailable = available;
}

void EditorTest::SetUp()
{
    if (!g_displayAvailable)
        GTEST_SKIP() << "no display";
    m_previousChooser = SetFileChooser(&m_chooser);
    // Every test starts with an empty recent-file list.
    while (TheApp().FileHistory().GetCount() > 0)
        TheApp().RemoveFromRecentFiles(0);
}

void EditorTest::TearDown()
{
    if (!g_displayAvailable)
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

void EditorTest::FocusWindow(wxWindow& window)
{
    wxUIActionSimulator simulator;
    const wxRect rect = window.GetScreenRect();
    simulator.MouseMove(rect.GetLeft() + rect.GetWidth() / 2, rect.GetTop() + rect.GetHeight() / 2);
    Pump(50);
    window.SetFocus();
    Pump(50);
}

void EditorTest::PressKey(int keyCode, int modifiers)
{
    FocusWindow(*Frame().m_sceneView);
    wxUIActionSimulator simulator;
    simulator.Char(keyCode, modifiers);
    Pump(200);
}

void EditorTest::ClickTool(wxAuiToolBar& toolBar, int commandId)
{
    const wxRect rect = toolBar.GetToolRect(WindowIdOf(commandId));
    ASSERT_FALSE(rect.IsEmpty());
    const wxPoint centre = toolBar.ClientToScreen(wxPoint(rect.x + rect.width / 2, rect.y + rect.height / 2));
    wxUIActionSimulator simulator;
    simulator.MouseMove(centre);
    Pump(100);
    simulator.MouseClick();
    Pump(200);
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

std::string EditorTest::ShotPath(const std::string& name)
{
    return std::string(KMX_TEST_OUTPUT_DIR) + "/" + name + ".png";
}

std::string EditorTest::ModelPath()
{
    return std::string(KMX_TEST_DATA_DIR) + "/viewport/ninja_bones.mqo";
}

std::string EditorTest::CorpusPath(const std::string& relative)
{
    return std::string(KMX_TEST_DATA_DIR) + "/corpus/" + relative;
}
