// Helpers shared by the two list panes (materials and animations), virtual lists whose
// rows are drawn from the scene.
#pragma once

#include "app/logic/PaneRenames.h"

class wxListCtrl;
class wxListEvent;
class wxWindow;

// The window of a report list that shows the rows and receives their mouse clicks (the
// toolkit's list draws its rows in a child window below the column headers). Its client
// coordinates are the ones the list's HitTest takes.
wxWindow& ListBody(wxListCtrl& list);

// Selects and focuses a row (nothing for a row the list does not have).
void SelectAndFocusRow(wxListCtrl& list, long row);
// The first selected row, -1 when none.
long FirstSelectedRow(const wxListCtrl& list);
// Deletes every row and every column.
void ClearList(wxListCtrl& list);

// Ends a row's label edit. The control's own change of the text is always refused; `rename`
// decides on the row's new name, the row that was edited is drawn again with it and a changed
// one marks the document modified.
void FinishRowRename(wxListCtrl& list, wxListEvent& event,
                     RenameResult (*rename)(CCentigrade& scene, int row, const std::string& utf8));
