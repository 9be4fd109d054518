// The application's and the document's file commands: New, Open, Save, the recent files and
// Exit.
#include "app/CKinemorphixApp.h"
#include "app/CKinemorphixDoc.h"
#include "app/CMainFrame.h"
#include "app/logic/CommandIds.h"
#include "app/logic/CommandRegistry.h"
#include "platform/FileSystem.h"

#include <wx/filehistory.h>

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
}

const CCommandArea area(RegisterAppCommands);

}  // namespace
