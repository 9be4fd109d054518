// Menus, toolbars and the accelerator table built from the command table
// (app/logic/CommandTable.h).
#pragma once

#include "app/logic/CommandTable.h"

#include <wx/accel.h>

#include <span>

class wxMenu;
class wxMenuBar;
class wxAuiToolBar;

wxMenuBar* BuildMenuBar();
// A pop-up menu of a pane (its items reach the pane first, then the frame).
wxMenu* BuildPopupMenu(PopupMenuId which);
// Adds the buttons with their labels under the icons, every button as large as the first;
// call Realize afterwards.
void AddTools(wxAuiToolBar& toolBar, std::span<const ToolDef> tools);
// Every accelerator that no menu item shows: menu items carry their own.
wxAcceleratorTable BuildAcceleratorTable();
