#include "app/CPropertyDialog.h"

#include "app/logic/PropertySettings.h"
#include "platform/Messages.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

wxString Utf8(const char* text) { return wxString::FromUTF8(text); }

void Refuse(wxTextCtrl* field, const char* message)
{
    ShowMessage(message, MessageButtons::Ok, MessageIcon::Warning);
    field->SetFocus();
    field->SelectAll();
}

}  // namespace

CPropertyDialog::CPropertyDialog(wxWindow* parent) : wxDialog(parent, wxID_ANY, Utf8("各種設定"))
{
    m_angleField = new wxTextCtrl(this, IDC_SMOOTHING_ANGLE);
    m_rangeField = new wxTextCtrl(this, IDC_WEIGHT_MAP_RANGE);

    auto* grid = new wxFlexGridSizer(3, wxSize(8, 8));
    grid->Add(new wxStaticText(this, wxID_ANY, Utf8("スムージング角度")), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(m_angleField, 0, wxEXPAND);
    grid->AddSpacer(0);
    grid->Add(new wxStaticText(this, wxID_ANY, Utf8("ウェイトマップ範囲")), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(m_rangeField, 0, wxEXPAND);
    grid->Add(new wxStaticText(this, wxID_ANY, Utf8("頂点(0～)")), 0, wxALIGN_CENTER_VERTICAL);

    auto* buttons = new wxStdDialogButtonSizer;
    buttons->AddButton(new wxButton(this, wxID_OK, "OK"));
    buttons->AddButton(new wxButton(this, wxID_CANCEL, Utf8("キャンセル")));
    buttons->Realize();

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(grid, 0, wxALL | wxEXPAND, 12);
    column->Add(buttons, 0, wxLEFT | wxRIGHT | wxBOTTOM | wxEXPAND, 12);
    SetSizerAndFit(column);
    CentreOnParent();
}

bool CPropertyDialog::TransferDataToWindow()
{
    m_shownAngle = wxString::FromUTF8(FormatAngleText(m_smoothingAngle));
    m_angleField->ChangeValue(m_shownAngle);
    m_rangeField->ChangeValue(wxString::FromUTF8(FormatRangeText(m_weightMapRange)));
    return true;
}

bool CPropertyDialog::TransferDataFromWindow()
{
    const wxString angleText = m_angleField->GetValue();
    const std::optional<float> angle = ParseAngleText(angleText.utf8_string());
    if (!angle) {
        Refuse(m_angleField, "数値を入力してください。");
        return false;
    }
    const std::optional<std::int32_t> range = ParseRangeText(m_rangeField->GetValue().utf8_string());
    if (!range) {
        Refuse(m_rangeField, "整数を入力してください。");
        return false;
    }
    if (angleText != m_shownAngle)
        m_smoothingAngle = *angle;
    m_weightMapRange = *range;
    return true;
}
