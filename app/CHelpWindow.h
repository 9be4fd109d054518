// The help page in a window of the program's own, for a desktop without a web browser.
#pragma once

#include <wx/frame.h>

class wxHtmlWindow;

class CHelpWindow : public wxFrame {
public:
    // Shows the page (a UTF-8 file-system path); one window, brought to the front when it is
    // open already.
    static void Show(wxWindow* parent, const wxString& path);

private:
    CHelpWindow(wxWindow* parent, const wxString& path);
    ~CHelpWindow() override;

    wxHtmlWindow* m_page = nullptr;
};
