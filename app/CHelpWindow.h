// The help page in a window of the program's own, for a desktop without a web browser. The
// page's lines wrap at the window's width, Japanese text between its characters as well as
// other text at spaces; Escape closes the window.
#pragma once

#include <wx/frame.h>

class wxHtmlWindow;

class CHelpWindow : public wxFrame {
public:
    // Shows the page (a UTF-8 file-system path); one window, brought to the front when it is
    // open already.
    static void Show(wxWindow* parent, const wxString& path);
    // The open window, or null.
    static CHelpWindow* Current();

    wxHtmlWindow* Page() const { return m_page; }

private:
    CHelpWindow(wxWindow* parent, const wxString& path);
    ~CHelpWindow() override;

    wxHtmlWindow* m_page = nullptr;
};
