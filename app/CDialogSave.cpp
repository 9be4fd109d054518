#include "app/CDialogSave.h"

#include "app/CWxMessageSink.h"
#include "app/logic/SaveAsRules.h"

#include <wx/button.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

wxIMPLEMENT_CLASS(CDialogSave, wxDialog);

namespace {

wxString Text(const char* utf8) { return wxString::FromUTF8(utf8); }

// A framed group of radio buttons, the first starting the group.
template <std::size_t N>
wxStaticBoxSizer* RadioGroup(wxWindow* parent, const char* title, const std::array<int, N>& ids,
                             const std::array<const char*, N>& labels, std::array<wxRadioButton*, N>& radios)
{
    auto* box = new wxStaticBoxSizer(wxVERTICAL, parent, Text(title));
    for (std::size_t i = 0; i < N; ++i) {
        radios[i] = new wxRadioButton(box->GetStaticBox(), ids[i], Text(labels[i]), wxDefaultPosition, wxDefaultSize,
                                      i == 0 ? wxRB_GROUP : 0);
        box->Add(radios[i], 0, wxALL, 4);
    }
    return box;
}

template <std::size_t N>
void Select(const std::array<wxRadioButton*, N>& radios, std::int32_t index)
{
    if (index >= 0 && static_cast<std::size_t>(index) < radios.size())
        radios[static_cast<std::size_t>(index)]->SetValue(true);
}

template <std::size_t N>
std::int32_t Selected(const std::array<wxRadioButton*, N>& radios, std::int32_t otherwise)
{
    for (std::size_t i = 0; i < N; ++i)
        if (radios[i]->GetValue())
            return static_cast<std::int32_t>(i);
    return otherwise;
}

}  // namespace

CDialogSave::CDialogSave(wxWindow* parent, std::int32_t restriction, bool flashEnabled)
    : wxDialog(parent, wxID_ANY, Text("ファイルの書き出し")), m_restriction(restriction), m_flashEnabled(flashEnabled)
{
    auto* scaleRow = new wxBoxSizer(wxHORIZONTAL);
    scaleRow->Add(new wxStaticText(this, wxID_ANY, Text("拡大率")), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
    m_scaleEdit = new wxTextCtrl(this, IDC_SCALE);
    scaleRow->Add(m_scaleEdit, 1, wxALIGN_CENTER_VERTICAL);

    wxStaticBoxSizer* forms = RadioGroup<3>(this, "アニメーション", {IDC_KEY_FRAMES, IDC_MATRICES, IDC_NO_ANIMATION},
                                            {"平行移動・回転・スケール", "行列", "なし"}, m_formRadios);
    wxStaticBoxSizer* flash =
        RadioGroup<2>(this, "Flash", {IDC_FLASH_CS, IDC_FLEX_SDK}, {"Flash CS", "Flex SDK"}, m_flashRadios);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* ok = new wxButton(this, wxID_OK, Text("OK"));
    ok->SetDefault();
    buttons->Add(ok, 0, wxRIGHT, 8);
    buttons->Add(new wxButton(this, wxID_CANCEL, Text("キャンセル")));

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(scaleRow, 0, wxEXPAND | wxALL, 10);
    top->Add(forms, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    top->Add(flash, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    top->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizerAndFit(top);
    CentreOnParent();

    // Greyed, not cleared: a value carried over from another type stays selected.
    m_formRadios[0]->Enable(m_restriction <= 0);
    m_formRadios[1]->Enable(m_restriction <= 1);
    for (wxRadioButton* radio : m_flashRadios)
        radio->Enable(m_flashEnabled);
    m_scaleEdit->SetFocus();
}

wxRadioButton* CDialogSave::FormRadio(std::int32_t form) const
{
    return form >= 0 && form < 3 ? m_formRadios[static_cast<std::size_t>(form)] : nullptr;
}

wxRadioButton* CDialogSave::FlashRadio(std::int32_t target) const
{
    return target >= 0 && target < 2 ? m_flashRadios[static_cast<std::size_t>(target)] : nullptr;
}

bool CDialogSave::TransferDataToWindow()
{
    m_scaleEdit->ChangeValue(wxString::FromUTF8(rules::FormatExportScale(m_scale)));
    Select(m_formRadios, m_animationForm);
    Select(m_flashRadios, m_flashTarget);
    return true;
}

bool CDialogSave::TransferDataFromWindow()
{
    float scale = 0.0f;
    std::string message;
    if (!rules::ParseExportScale(m_scaleEdit->GetValue().utf8_string(), scale, message)) {
        ShowMessageBox(wxString::FromUTF8(message), Text("ファイルの書き出し"), wxOK | wxICON_EXCLAMATION, this);
        m_scaleEdit->SetFocus();
        m_scaleEdit->SelectAll();
        return false;
    }
    m_scale = scale;
    m_animationForm = Selected(m_formRadios, m_animationForm);
    m_flashTarget = Selected(m_flashRadios, m_flashTarget);
    return true;
}
