#include "app/CWxFileChooser.h"

#include <wx/app.h>
#include <wx/filedlg.h>
#include <wx/filename.h>

std::optional<FileDialogAnswer> CWxFileChooser::Choose(const FileDialogRequest& request)
{
    // "name|pattern|...|" -> "name|pattern|...": the toolkit takes no closing bar.
    wxString filter = wxString::FromUTF8(request.filter);
    while (filter.EndsWith("|"))
        filter.RemoveLast();
    long style = request.save ? wxFD_SAVE : (wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (request.save && request.overwritePrompt)
        style |= wxFD_OVERWRITE_PROMPT;
    const wxFileName initial(wxString::FromUTF8(request.initialPath));
    const wxString folder =
        request.initialFolder.empty() ? initial.GetPath() : wxString::FromUTF8(request.initialFolder);
    wxWindow* parent = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    wxFileDialog dialog(parent, request.save ? wxString::FromUTF8("名前を付けて保存") : wxString::FromUTF8("開く"),
                        folder, initial.GetFullName(), filter, style);
    dialog.SetFilterIndex(request.filterIndex > 0 ? request.filterIndex - 1 : 0);
    if (dialog.ShowModal() != wxID_OK)
        return std::nullopt;
    return FileDialogAnswer{dialog.GetPath().utf8_string(), dialog.GetFilterIndex() + 1};
}
