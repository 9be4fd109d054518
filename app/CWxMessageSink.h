// The core's messages as modal message boxes over the main window.
#pragma once

#include "platform/Messages.h"

class wxString;
class wxWindow;

class CWxMessageSink : public IMessageSink {
public:
    MessageResult Show(const std::string& textUtf8, MessageButtons buttons, MessageIcon icon) override;
};

// A modal message box (wxOK, wxCANCEL, wxYES_NO and wxICON_ styles) whose buttons read
// "はい", "いいえ", "キャンセル" and "OK" whatever the user's locale, as the program's own
// dialogs do. Returns the id of the button chosen (wxID_YES, wxID_NO, wxID_CANCEL, wxID_OK).
int ShowMessageBox(const wxString& text, const wxString& caption, long style, wxWindow* parent);

// Errors the toolkit logs itself (an image it cannot read, a profile it cannot write) as the
// same message boxes: installed in place of the toolkit's own log window, whose buttons follow
// the user's locale. A log target other than that one (tests log to the console) is kept.
void UseMessageBoxesForLog();
