#include "app/CMaterialView.h"

CMaterialView::CMaterialView(wxWindow* parent) : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_SINGLE_SEL)
{
}

void CMaterialView::OnUpdate(int) {}
