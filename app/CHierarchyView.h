// The bone tree: top pane of the left column.
#pragma once

#include "app/logic/IDocumentView.h"
#include "viewport/PaneDirectory.h"

#include <wx/treectrl.h>

class CHierarchyView : public wxTreeCtrl, public IHierarchyPane, public IDocumentView {
public:
    explicit CHierarchyView(wxWindow* parent);

    void OnUpdate(int hint) override;
    void SelectCurrentBoneItem() override;
};
