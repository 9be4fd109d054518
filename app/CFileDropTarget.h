// Files dropped on the main window or any pane open through the framework's open road.
#pragma once

#include <wx/dnd.h>

class CFileDropTarget : public wxFileDropTarget {
public:
    bool OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& files) override;
};
