#include "app/CHierarchyView.h"

CHierarchyView::CHierarchyView(wxWindow* parent)
    : wxTreeCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT)
{
}

void CHierarchyView::OnUpdate(int) {}

void CHierarchyView::SelectCurrentBoneItem() {}
