#include "app/CAnimationView.h"

CAnimationView::CAnimationView(wxWindow* parent) : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_SINGLE_SEL)
{
}

void CAnimationView::OnUpdate(int) {}
