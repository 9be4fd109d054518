// The application's and the document's file commands: New, Open, Save, the recent files and
// Exit; the About box, the help page and the removal of the file-type registration.
#include "app/CAboutDlg.h"
#include "app/CHelpWindow.h"
#include "app/CKinemorphixApp.h"
#include "app/CKinemorphixDoc.h"
#include "app/CMainFrame.h"
#include "app/logic/CommandIds.h"
#include "app/logic/CommandRegistry.h"
#include "app/logic/HelpFile.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"

#include <wx/filehistory.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

namespace {

void OpenRecentFile(std::size_t index)
{
    wxFileHistory& history = TheApp().FileHistory();
    if (index >= history.GetCount())
        return;
    const std::string path = fs_cp932::FromFileSystem(history.GetHistoryFile(index).utf8_string());
    // A file that can no longer be read leaves the list (when it was not the document's own
    // reaction to stay, which it never is for a failed open).
    if (!TheApp().OpenDocumentFile(path) && !fs_cp932::Exists(path))
        TheApp().RemoveFromRecentFiles(index);
}

void OnAppAbout()
{
    CAboutDlg dialog(&TheMainFrame());
    dialog.ShowModal();
}

// The help page the program ships.
void OnHelpContents()
{
    const std::string folder = wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath().utf8_string();
    const std::optional<std::string> path = FindHelpFile(folder);
    if (!path) {
        std::string places;
        for (const std::string& candidate : HelpFileCandidates(folder))
            places += "\n" + candidate;
        ShowMessage(FormatMessage1("ヘルプファイル「%1」が見つかりません。", kHelpFileName) + places,
                    MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    // The desktop's browser; without one, a window of our own.
    const wxString page = wxString::FromUTF8(*path);
    bool launched = false;
    {
        wxLogNull quiet;
        launched = wxLaunchDefaultBrowser(wxFileName::FileNameToURL(wxFileName(page)));
    }
    if (!launched)
        CHelpWindow::Show(&TheMainFrame(), page);
}

// Removes the desktop's registration of the scene file type; the colours and the recent files
// stay, and the next start registers the type again.
void OnSettingsDeleteRegistry()
{
    std::string error;
    if (!TheApp().UnregisterShellFileTypes(error)) {
        ShowMessage(error, MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    ShowMessage("レジストリ情報を削除しました！", MessageButtons::Ok, MessageIcon::Warning);
}

void RegisterAppCommands(CCommandRegistry& registry)
{
    registry.Add(ID_FILE_NEW, [] { TheDocument().NewDocumentFromFramework(); });
    registry.Add(ID_FILE_OPEN, [] { TheDocument().OnFileOpen(); });
    registry.Add(ID_FILE_SAVE, [] { TheDocument().OnFileSave(); });
    for (int i = 0; i < 4; ++i)
        registry.Add(
            ID_FILE_MRU_FILE1 + i, [i] { OpenRecentFile(static_cast<std::size_t>(i)); },
            [i] { return EnabledIf(static_cast<int>(TheApp().FileHistory().GetCount()) > i); });
    registry.Add(ID_APP_EXIT, [] { TheMainFrame().Close(); });
    registry.Add(ID_APP_ABOUT, OnAppAbout);
    registry.Add(ID_CONTEXT_HELP, OnHelpContents);
    registry.Add(ID_SETTINGS_DELETE_REGISTRY, OnSettingsDeleteRegistry);
}

const CCommandArea area(RegisterAppCommands);

}  // namespace
