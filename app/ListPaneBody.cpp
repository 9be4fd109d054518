#include "app/ListPaneBody.h"

#include "app/CKinemorphixApp.h"
#include "app/CKinemorphixDoc.h"
#include "scene/Globals.h"

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

void FinishRowRename(wxListCtrl& list, wxListEvent& event,
                     RenameResult (*rename)(CCentigrade& scene, int row, const std::string& utf8))
{
    event.Veto();
    if (event.IsEditCancelled())
        return;
    const wxString label = event.GetLabel();
    const RenameResult result = rename(g_scene, static_cast<int>(event.GetIndex()), label.utf8_string());
    // The row shows the scene's name.
    if (result == RenameResult::Renamed || result == RenameResult::Unchanged)
        list.RefreshItem(event.GetIndex());
    if (result == RenameResult::Renamed)
        TheDocument().SetModifiedFlag(true);
}
