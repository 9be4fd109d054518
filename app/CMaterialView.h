// The material list: middle pane of the left column. One row per material: its name, a
// colour swatch and the material number the current animation's material map gives it; the
// rows are read from the scene as they are drawn, so a million of them cost no more than a
// few. A
// click makes the row's material the current one, a double click opens the material dialog,
// a right click the pop-up whose numbered items set the row's material number.
#pragma once

#include "app/logic/IDocumentView.h"
#include "viewport/PaneDirectory.h"

#include <wx/listctrl.h>

#include <memory>

class SwatchImageCache;

class CMaterialView : public wxListCtrl, public IPane, public IDocumentView {
public:
    explicit CMaterialView(wxWindow* parent);
    ~CMaterialView() override;

    // Rebuilt on every hint but the start and stop of playback.
    void OnUpdate(int hint) override;
    // The pop-up's commands: add and delete (they only refresh), rename (starts editing the
    // current material's name) and the material numbers.
    void OnMaterialCommand(int id);
    // The material dialog on the current material; OK writes the values back.
    void EditCurrentMaterial();

private:
    wxString OnGetItemText(long item, long column) const override;
    int OnGetItemColumnImage(long item, long column) const override;
    void Rebuild();
    void SelectMaterialAt(const wxPoint& bodyPoint);
    void ShowMaterialMenu();
    void OnLeftDown(wxMouseEvent& event);
    void OnRightDown(wxMouseEvent& event);
    void OnDoubleClick(wxMouseEvent& event);
    void OnBeginLabelEdit(wxListEvent& event);
    void OnEndLabelEdit(wxListEvent& event);

    // In-place editing of a name is allowed only after the rename command.
    bool m_renameRequested = false;
    // Drawing a row may add its colour's swatch.
    std::unique_ptr<SwatchImageCache> m_swatches;
};
