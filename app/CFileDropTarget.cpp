#include "app/CFileDropTarget.h"

#include "app/CKinemorphixApp.h"
#include "platform/FileSystem.h"

bool CFileDropTarget::OnDropFiles(wxCoord, wxCoord, const wxArrayString& files)
{
    if (files.empty())
        return false;
    // The first file; opened once the drop has finished, since opening may ask questions.
    const std::string path = fs_cp932::FromFileSystem(files[0].utf8_string());
    TheApp().CallAfter([path] { TheApp().OpenDocumentFile(path); });
    return true;
}
