// The animation list: bottom pane of the left column.
#pragma once

#include "app/logic/IDocumentView.h"
#include "viewport/PaneDirectory.h"

#include <wx/listctrl.h>

class CAnimationView : public wxListCtrl, public IPane, public IDocumentView {
public:
    explicit CAnimationView(wxWindow* parent);

    void OnUpdate(int hint) override;
};
