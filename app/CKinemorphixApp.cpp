#include "app/CKinemorphixApp.h"

#include "app/CKinemorphixDoc.h"
#include "app/CMainFrame.h"
#include "app/CWxFileChooser.h"
#include "app/CWxMessageSink.h"
#include "app/CWxProfile.h"
#include "app/CWxProgressSink.h"
#include "app/logic/CommandIds.h"
#include "app/logic/CommandTable.h"
#include "app/logic/DocumentTypeRegistration.h"
#include "platform/FileSystem.h"
#include "platform/ProcessSignals.h"

#include <wx/filehistory.h>
#include <wx/confbase.h>
#include <wx/image.h>
#include <wx/stdpaths.h>
#include <wx/uilocale.h>

#include <clocale>
#include <cstdio>

namespace {

bool g_startEditorInOnInit = true;
std::vector<std::string> g_commandLine;
const wxString kRecentFilesGroup = "/Recent File List";
constexpr int kRecentFileCount = 4;

// Rebuilds the desktop's MIME and application caches below the data folder, without waiting.
void RefreshDesktopDatabases(const std::string& dataFolder)
{
    for (const std::vector<std::string>& command : doctype::RefreshCommands(dataFolder)) {
        std::vector<const char*> argv;
        for (const std::string& arg : command)
            argv.push_back(arg.c_str());
        argv.push_back(nullptr);
        wxExecute(argv.data(), wxEXEC_ASYNC | wxEXEC_HIDE_CONSOLE);
    }
}

}  // namespace

CKinemorphixApp& TheApp()
{
    return *static_cast<CKinemorphixApp*>(wxTheApp);
}

CKinemorphixDoc& TheDocument()
{
    return *TheApp().GetDocument();
}

CMainFrame& TheMainFrame()
{
    return *TheApp().GetMainFrame();
}

CKinemorphixApp::CKinemorphixApp() = default;
CKinemorphixApp::~CKinemorphixApp() = default;

void CKinemorphixApp::SetEditorStartedByOnInit(bool started)
{
    g_startEditorInOnInit = started;
}

void CKinemorphixApp::SetCommandLine(std::vector<std::string> args)
{
    g_commandLine = std::move(args);
}

bool CKinemorphixApp::OnInit()
{
    // A save beyond the file-size limit fails with a message instead of ending the program.
    IgnoreFileSizeSignal();
    // The user's locale for the toolkit; numbers in files and dialogs stay in the C locale.
    wxUILocale::UseDefault();
    std::setlocale(LC_NUMERIC, "C");
    SetAppName("kinemorphix");
    SetAppDisplayName("Kinemorphix");
    wxInitAllImageHandlers();
    m_messageSink = std::make_unique<CWxMessageSink>();
    SetMessageSink(m_messageSink.get());
    UseMessageBoxesForLog();
    m_fileChooser = std::make_unique<CWxFileChooser>();
    SetFileChooser(m_fileChooser.get());
    m_progressSink = std::make_unique<CWxProgressSink>();
    SetProgressSink(m_progressSink.get());
    PrepareUserFolders();
    if (!g_startEditorInOnInit)
        return true;
    return StartEditor(g_commandLine);
}

void CKinemorphixApp::PrepareUserFolders()
{
    m_settingsProblemTold = false;
    m_pendingSettingsProblems.clear();
    InitProfile();
    RegisterShellFileTypes();
}

// The profile lives in $XDG_CONFIG_HOME/kinemorphix (default ~/.config/kinemorphix), the
// recent-file list in it.
void CKinemorphixApp::InitProfile()
{
    wxStandardPaths::Get().SetFileLayout(wxStandardPaths::FileLayout_XDG);
    const std::string folder = wxStandardPaths::Get().GetUserConfigDir().utf8_string() + "/kinemorphix";
    m_fileHistory.reset();
    m_profile.reset();
    m_profile = std::make_unique<CWxProfile>(folder + "/kinemorphix.conf",
                                             [this](const std::string& text) { TellSettingsProblem(text); });
    m_fileHistory = std::make_unique<wxFileHistory>(kRecentFileCount, WindowIdOf(ID_FILE_MRU_FILE1));
    wxConfigBase& config = m_profile->Config();
    config.SetPath(kRecentFilesGroup);
    m_fileHistory->Load(config);
    config.SetPath("/");
}

bool CKinemorphixApp::RegisterShellFileTypes()
{
    const std::string folder = doctype::UserDataFolder();
    const doctype::Outcome outcome =
        doctype::Register(folder, wxStandardPaths::Get().GetExecutablePath().utf8_string());
    if (outcome.changed)
        RefreshDesktopDatabases(folder);
    // Opening files from the desktop is a convenience: the editor starts without it.
    if (!outcome.ok)
        TellSettingsProblem("デスクトップに .zlkx ファイルを登録できませんでした。" + outcome.error);
    return outcome.ok;
}

void CKinemorphixApp::TellSettingsProblem(const std::string& text)
{
    if (m_settingsProblemTold) {
        std::fprintf(stderr, "kinemorphix: %s\n", text.c_str());
        return;
    }
    m_pendingSettingsProblems += (m_pendingSettingsProblems.empty() ? "" : "\n\n") + text;
    if (m_frame && m_frame->IsShown())
        ShowSettingsProblems();
}

void CKinemorphixApp::ShowSettingsProblems()
{
    if (m_pendingSettingsProblems.empty() || m_settingsProblemTold)
        return;
    m_settingsProblemTold = true;
    const std::string text = std::move(m_pendingSettingsProblems);
    m_pendingSettingsProblems.clear();
    ShowMessage(text, MessageButtons::Ok, MessageIcon::Warning);
}

bool CKinemorphixApp::UnregisterShellFileTypes(std::string& error)
{
    const std::string folder = doctype::UserDataFolder();
    const doctype::Outcome outcome = doctype::Unregister(folder);
    if (outcome.changed)
        RefreshDesktopDatabases(folder);
    error = outcome.error;
    return outcome.ok;
}

IProfile& CKinemorphixApp::Profile()
{
    return *m_profile;
}

bool CKinemorphixApp::StartEditor(const std::vector<std::string>& args)
{
    // One document for the whole run (a restarted editor, in the tests, gets a new one).
    m_document = std::make_unique<CKinemorphixDoc>(*this);
    m_frame = new CMainFrame(*m_document);
    if (!m_frame->CreatedClient()) {
        m_frame->Destroy();
        m_frame = nullptr;
        return false;
    }
    SetTopWindow(m_frame);
    // At most one file; arguments starting with '-' are the toolkit's options.
    std::string file;
    for (const std::string& arg : args)
        if (!arg.empty() && arg[0] != '-') {
            file = arg;
            break;
        }
    // A file that cannot be opened has been reported; the editor starts with an empty document.
    if (file.empty() || !OpenDocumentFile(fs_cp932::FromFileSystem(file)))
        m_document->NewDocumentFromFramework();
    m_frame->Show();
    // A profile or data folder that could not be read or kept, told over the window.
    ShowSettingsProblems();
    return true;
}

void CKinemorphixApp::CloseEditor()
{
    if (m_frame)
        m_frame->Destroy();
}

void CKinemorphixApp::FrameDestroyed(CMainFrame* frame)
{
    if (frame == m_frame)
        m_frame = nullptr;
}

int CKinemorphixApp::OnExit()
{
    SaveRecentFiles();
    // Nobody is left to read a message box.
    if (!m_pendingSettingsProblems.empty())
        std::fprintf(stderr, "kinemorphix: %s\n", m_pendingSettingsProblems.c_str());
    SetProgressSink(nullptr);
    SetFileChooser(nullptr);
    SetMessageSink(nullptr);
    m_document.reset();
    return wxApp::OnExit();
}

bool CKinemorphixApp::OpenDocumentFile(const std::string& cp932Path)
{
    return m_document && m_document->OpenDocumentFile(cp932Path);
}

void CKinemorphixApp::AddToRecentFiles(const std::string& cp932Path)
{
    m_fileHistory->AddFileToHistory(wxString::FromUTF8(fs_cp932::ToFileSystem(cp932Path)));
    SaveRecentFiles();
}

void CKinemorphixApp::RemoveFromRecentFiles(std::size_t index)
{
    if (index < m_fileHistory->GetCount()) {
        m_fileHistory->RemoveFileFromHistory(index);
        SaveRecentFiles();
    }
}

void CKinemorphixApp::SaveRecentFiles()
{
    if (!m_profile || !m_fileHistory)
        return;
    wxConfigBase& config = m_profile->Config();
    config.DeleteGroup(kRecentFilesGroup);
    config.SetPath(kRecentFilesGroup);
    m_fileHistory->Save(config);
    config.SetPath("/");
    m_profile->Save();
    if (m_frame)
        m_frame->RefreshRecentFilesMenu();
}
