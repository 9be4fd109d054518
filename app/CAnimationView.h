// The animation list: bottom pane of the left column. One row per animation: its name and
// its last frame, read from the scene as the row is drawn. A click makes the row's animation the current one; a right click also
// opens the pop-up to add, duplicate or delete animations; editing a row's label renames
// that row's animation.
#pragma once

#include "app/logic/IDocumentView.h"
#include "viewport/PaneDirectory.h"

#include <wx/listctrl.h>

class CAnimationView : public wxListCtrl, public IPane, public IDocumentView {
public:
    explicit CAnimationView(wxWindow* parent);

    // Rebuilt on every hint but playback, animation selection and frame changes; after undo
    // and redo the current animation's row is selected again.
    void OnUpdate(int hint) override;
    // The pop-up's commands: add, duplicate and delete the current animation.
    void OnAnimationCommand(int id);

private:
    wxString OnGetItemText(long item, long column) const override;
    void Rebuild();
    void SelectAnimationAt(const wxPoint& bodyPoint);
    void OnLeftDown(wxMouseEvent& event);
    void OnRightDown(wxMouseEvent& event);
    void OnEndLabelEdit(wxListEvent& event);
};
