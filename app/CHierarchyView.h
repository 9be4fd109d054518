// The bone tree: top pane of the left column. One root item titled with the document's
// title, the bones nested under their parents (as BuildBoneTree places them), all expanded.
// A click on an item selects its bone in the scene (the root selects none) and has the
// timeline form and the 3D view follow; editing an item's label renames that item's bone.
#pragma once

#include "app/logic/IDocumentView.h"
#include "viewport/PaneDirectory.h"

#include <wx/treectrl.h>

#include <vector>

class CHierarchyView : public wxTreeCtrl, public IHierarchyPane, public IDocumentView {
public:
    explicit CHierarchyView(wxWindow* parent);

    // Rebuilt on the initial update and when a document was loaded; the selected bone's item
    // is selected again after undo and redo.
    void OnUpdate(int hint) override;
    // Expands every item and selects the item of the scene's selected bone.
    void SelectCurrentBoneItem() override;

    // The bone of an item (-1 for the root item or no item).
    int BoneOfItem(const wxTreeItemId& item) const;
    // The item of a bone; an invalid id when the tree has none.
    wxTreeItemId ItemOfBone(int bone) const;

private:
    void Rebuild();
    void ExpandEveryItem();
    void OnMouseDown(wxMouseEvent& event);
    void SelectBoneOfItem(const wxTreeItemId& item);
    void OnBeginLabelEdit(wxTreeEvent& event);
    void OnEndLabelEdit(wxTreeEvent& event);

    // The item of each bone, by bone index, since the last rebuild.
    std::vector<wxTreeItemId> m_boneItems;
};
