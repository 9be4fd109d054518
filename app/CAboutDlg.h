// The About box "バージョン情報 Kinemorphix": the program's icon, its version, rights, web
// address and contact, and an OK button.
#pragma once

#include <wx/dialog.h>

class CAboutDlg : public wxDialog {
public:
    explicit CAboutDlg(wxWindow* parent);
};
