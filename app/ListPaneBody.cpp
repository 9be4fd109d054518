#include "app/ListPaneBody.h"

#include <wx/listctrl.h>

wxWindow& ListBody(wxListCtrl& list)
{
    // The generic list keeps its row window as m_mainWin; find it among the children by its
    // address rather than by casting the incomplete type.
    for (wxWindow* child : list.GetChildren())
        if (static_cast<const void*>(child) == static_cast<const void*>(list.m_mainWin))
            return *child;
    return list;
}

void SelectAndFocusRow(wxListCtrl& list, long row)
{
    if (row < 0 || row >= list.GetItemCount())
        return;
    const long state = wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED;
    list.SetItemState(row, state, state);
}

long FirstSelectedRow(const wxListCtrl& list)
{
    return list.GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
}

void ClearList(wxListCtrl& list)
{
    list.DeleteAllItems();
    while (list.GetColumnCount() > 0)
        list.DeleteColumn(list.GetColumnCount() - 1);
}
