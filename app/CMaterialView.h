// The material list: middle pane of the left column.
#pragma once

#include "app/logic/IDocumentView.h"
#include "viewport/PaneDirectory.h"

#include <wx/listctrl.h>

class CMaterialView : public wxListCtrl, public IPane, public IDocumentView {
public:
    explicit CMaterialView(wxWindow* parent);

    void OnUpdate(int hint) override;
};
