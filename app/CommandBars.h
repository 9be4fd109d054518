// Menus, toolbars and the accelerator table built from the command table
// (app/logic/CommandTable.h).
#pragma once

#include "app/logic/CommandTable.h"

#include <wx/accel.h>

#include <memory>
#include <span>

class wxMenu;
class wxMenuBar;
class wxAuiToolBar;
class wxPoint;

wxMenuBar* BuildMenuBar();
// A pop-up menu of a pane (its items reach the pane first, then the frame).
wxMenu* BuildPopupMenu(PopupMenuId which);
// Adds the buttons with their labels under the icons, every button as large as the first;
// call Realize afterwards.
void AddTools(wxAuiToolBar& toolBar, std::span<const ToolDef> tools);
// The buttons a toolbar's length cuts off (those its overflow button stands for), as a menu
// of the same commands with their icons, tooltips and prompts; check buttons are check items.
std::unique_ptr<wxMenu> BuildOverflowMenu(const wxAuiToolBar& toolBar);
// True for a toolbar laid out from top to bottom (docked on the left or right).
bool StandsUpright(const wxAuiToolBar& toolBar);
// True at a point of a toolbar's overflow button while it shows one.
bool OnOverflowButton(const wxAuiToolBar& toolBar, const wxPoint& point);
// Every accelerator that no menu item shows: menu items carry their own.
wxAcceleratorTable BuildAcceleratorTable();
