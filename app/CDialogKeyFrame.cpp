#include "app/CDialogKeyFrame.h"

#include "platform/Messages.h"

#include <wx/button.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

const char* const kChoiceLabels[] = {
    "選択中のボーンのキーフレームを追加",
    "全てのボーンのキーフレームを追加",
    "選択中のモデルのキーフレームを削除",
    "全てのボーンのキーフレームを削除",
};

// A whole number in the int32 range, with blanks around it allowed.
bool ParseFrame(const std::string& text, std::int32_t& out)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(begin, &end, 10);
    if (end == begin || errno == ERANGE || value < INT32_MIN || value > INT32_MAX)
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end != '\0')
        return false;
    out = static_cast<std::int32_t>(value);
    return true;
}

}  // namespace

CDialogKeyFrame::CDialogKeyFrame(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8("ボーンのキーフレームの追加・削除"))
{
    auto* column = new wxBoxSizer(wxVERTICAL);
    auto* frameRow = new wxBoxSizer(wxHORIZONTAL);
    frameRow->Add(new wxStaticText(this, wxID_ANY, wxString::FromUTF8("フレーム")), 0,
                  wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
    m_frameEdit = new wxTextCtrl(this, wxID_ANY);
    frameRow->Add(m_frameEdit, 1);
    column->Add(frameRow, 0, wxEXPAND | wxALL, 10);
    for (std::size_t i = 0; i < m_choices.size(); ++i) {
        m_choices[i] = new wxRadioButton(this, wxID_ANY, wxString::FromUTF8(kChoiceLabels[i]), wxDefaultPosition,
                                         wxDefaultSize, i == 0 ? wxRB_GROUP : 0);
        column->Add(m_choices[i], 0, wxLEFT | wxRIGHT | wxBOTTOM, 10);
    }
    auto* buttons = new wxStdDialogButtonSizer;
    buttons->AddButton(new wxButton(this, wxID_OK, "OK"));
    buttons->AddButton(new wxButton(this, wxID_CANCEL, wxString::FromUTF8("キャンセル")));
    buttons->Realize();
    column->Add(buttons, 0, wxEXPAND | wxALL, 10);
    SetSizerAndFit(column);
    m_frameEdit->SetFocus();
}

bool CDialogKeyFrame::TransferDataToWindow()
{
    m_frameEdit->ChangeValue(wxString::Format("%d", static_cast<int>(m_frame)));
    m_frameEdit->SelectAll();
    if (m_action >= 0 && static_cast<std::size_t>(m_action) < m_choices.size())
        m_choices[static_cast<std::size_t>(m_action)]->SetValue(true);
    return true;
}

bool CDialogKeyFrame::TransferDataFromWindow()
{
    std::int32_t frame = 0;
    if (!ParseFrame(m_frameEdit->GetValue().utf8_string(), frame)) {
        ShowMessage("整数を入力してください。", MessageButtons::Ok, MessageIcon::Warning);
        m_frameEdit->SetFocus();
        return false;
    }
    m_frame = frame;
    for (std::size_t i = 0; i < m_choices.size(); ++i)
        if (m_choices[i]->GetValue())
            m_action = static_cast<std::int32_t>(i);
    return true;
}
