#include "app/CWxMessageSink.h"

#include <wx/app.h>
#include <wx/log.h>
#include <wx/msgdlg.h>

int ShowMessageBox(const wxString& text, const wxString& caption, long style, wxWindow* parent)
{
    wxMessageDialog dialog(parent, text, caption, style);
    const wxString yes = wxString::FromUTF8("はい");
    const wxString no = wxString::FromUTF8("いいえ");
    const wxString cancel = wxString::FromUTF8("キャンセル");
    const wxString ok = "OK";
    if (style & wxYES_NO) {
        if (style & wxCANCEL)
            dialog.SetYesNoCancelLabels(yes, no, cancel);
        else
            dialog.SetYesNoLabels(yes, no);
    } else if (style & wxCANCEL) {
        dialog.SetOKCancelLabels(ok, cancel);
    } else {
        dialog.SetOKLabel(ok);
    }
    return dialog.ShowModal();
}

namespace {

class CWxLogBoxes : public wxLogGui {
    void DoShowSingleLogMessage(const wxString& message, const wxString& title, int style) override
    {
        ShowMessageBox(message, title, style, wxTheApp ? wxTheApp->GetTopWindow() : nullptr);
    }
    void DoShowMultipleLogMessages(const wxArrayString& messages, const wxArrayInt&, const wxArrayLong&,
                                   const wxString& title, int style) override
    {
        DoShowSingleLogMessage(wxJoin(messages, '\n', '\0'), title, style);
    }
};

}  // namespace

void UseMessageBoxesForLog()
{
    wxLog* const current = wxLog::GetActiveTarget();
    if (current && (!dynamic_cast<wxLogGui*>(current) || dynamic_cast<CWxLogBoxes*>(current)))
        return;
    delete wxLog::SetActiveTarget(new CWxLogBoxes);
}

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
    switch (ShowMessageBox(wxString::FromUTF8(textUtf8), "Kinemorphix", style, parent)) {
    case wxID_YES: return MessageResult::Yes;
    case wxID_NO: return MessageResult::No;
    case wxID_CANCEL: return MessageResult::Cancel;
    default: return MessageResult::Ok;
    }
}
