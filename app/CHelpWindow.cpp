#include "app/CHelpWindow.h"

#include "app/ResourceImages.h"
#include "platform/RegularFile.h"

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
    RegularFile file;
    std::vector<std::uint8_t> text;
    if (file.OpenFileSystemPath(path.utf8_string()) && file.ReadRest(text))
        m_page->SetPage(wxString::FromUTF8(reinterpret_cast<const char*>(text.data()), text.size()));
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(m_page, 1, wxEXPAND);
    SetSizer(column);
}

CHelpWindow::~CHelpWindow()
{
    g_helpWindow = nullptr;
}
