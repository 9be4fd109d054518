#include "app/CWxMessageSink.h"

#include <wx/app.h>
#include <wx/msgdlg.h>

MessageResult CWxMessageSink::Show(const std::string& textUtf8, MessageButtons buttons, MessageIcon icon)
{
    long style = 0;
    switch (buttons) {
    case MessageButtons::Ok: style = wxOK; break;
    case MessageButtons::OkCancel: style = wxOK | wxCANCEL; break;
    case MessageButtons::YesNo: style = wxYES_NO; break;
    case MessageButtons::YesNoCancel: style = wxYES_NO | wxCANCEL; break;
    }
    switch (icon) {
    case MessageIcon::None: style |= wxICON_NONE; break;
    case MessageIcon::Information: style |= wxICON_INFORMATION; break;
    case MessageIcon::Warning: style |= wxICON_WARNING; break;
    case MessageIcon::Error: style |= wxICON_ERROR; break;
    case MessageIcon::Question: style |= wxICON_QUESTION; break;
    }
    wxWindow* parent = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    switch (wxMessageBox(wxString::FromUTF8(textUtf8), "Kinemorphix", style, parent)) {
    case wxYES: return MessageResult::Yes;
    case wxNO: return MessageResult::No;
    case wxCANCEL: return MessageResult::Cancel;
    default: return MessageResult::Ok;
    }
}
