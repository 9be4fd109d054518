// The timeline form: lower pane of the right column, under the 3D view.
#pragma once

#include "app/logic/IDocumentView.h"
#include "viewport/PaneDirectory.h"

#include <wx/panel.h>

class CSliderView : public wxPanel, public ISliderPane, public IDocumentView {
public:
    explicit CSliderView(wxWindow* parent);

    void OnUpdate(int hint) override;
    void UpdateKeyFrameTicks() override;
    void ShowBoneValues() override;
};
