#include "app/CHelpWindow.h"

#include "app/ResourceImages.h"

#include <wx/ffile.h>
#include <wx/html/htmlwin.h>
#include <wx/sizer.h>

namespace {
CHelpWindow* g_helpWindow = nullptr;
}

void CHelpWindow::Show(wxWindow* parent, const wxString& path)
{
    if (!g_helpWindow)
        g_helpWindow = new CHelpWindow(parent, path);
    g_helpWindow->wxFrame::Show();
    g_helpWindow->Raise();
}

CHelpWindow::CHelpWindow(wxWindow* parent, const wxString& path)
    : wxFrame(parent, wxID_ANY, wxString::FromUTF8("Kinemorphix ヘルプ"), wxDefaultPosition, wxSize(760, 640))
{
    SetIcons(ProgramIcons());
    m_page = new wxHtmlWindow(this);
    // The page is UTF-8, whatever the locale says.
    wxFFile file(path, "rb");
    wxString text;
    if (file.IsOpened() && file.ReadAll(&text, wxConvUTF8))
        m_page->SetPage(text);
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(m_page, 1, wxEXPAND);
    SetSizer(column);
}

CHelpWindow::~CHelpWindow()
{
    g_helpWindow = nullptr;
}
