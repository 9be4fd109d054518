#include "app/CSliderView.h"

CSliderView::CSliderView(wxWindow* parent) : wxPanel(parent, wxID_ANY) {}

void CSliderView::OnUpdate(int) {}

void CSliderView::UpdateKeyFrameTicks() {}

void CSliderView::ShowBoneValues() {}
