#include "app/CAboutDlg.h"

#include "app/ResourceImages.h"

#include <wx/button.h>
#include <wx/hyperlink.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

namespace {
const char* const kWebAddress = "https://kinemorphix.example.org/";
const char* const kContact = "連絡先: support@kinemorphix.example.org";
const char* const kRights = "Copyright (C) Kinemorphix の開発者。無保証で提供されます。";
}  // namespace

CAboutDlg::CAboutDlg(wxWindow* parent) : wxDialog(parent, wxID_ANY, wxString::FromUTF8("バージョン情報 Kinemorphix"))
{
    auto* lines = new wxBoxSizer(wxVERTICAL);
    lines->Add(new wxStaticText(this, wxID_ANY, "Zelvo Kinemorphix Version 3.9"), 0, wxBOTTOM, 6);
    lines->Add(new wxStaticText(this, wxID_ANY, wxString::FromUTF8(kRights)), 0, wxBOTTOM, 6);
    lines->Add(new wxHyperlinkCtrl(this, wxID_ANY, kWebAddress, kWebAddress), 0, wxBOTTOM, 6);
    lines->Add(new wxStaticText(this, wxID_ANY, wxString::FromUTF8(kContact)));

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticBitmap(this, wxID_ANY, ResourceBitmap("icons/kinemorphix.svg", wxSize(48, 48))), 0,
             wxRIGHT, 16);
    row->Add(lines, 1);

    // OK has the focus, so that Enter closes the box rather than opening the web address.
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetDefault();
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(row, 0, wxALL, 16);
    column->Add(ok, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 16);
    SetSizerAndFit(column);
    CentreOnParent();
    ok->SetFocus();
}
