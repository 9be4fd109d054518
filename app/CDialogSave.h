// The export-options dialog "ファイルの書き出し": the scale, the animation form and the Flash
// target. The caller sets the three values before showing it and reads them after OK. Radios
// the export type cannot use are greyed but keep their value.
#pragma once

#include <wx/dialog.h>

#include <array>
#include <cstdint>

class wxRadioButton;
class wxTextCtrl;

class CDialogSave : public wxDialog {
public:
    enum ControlId {
        IDC_SCALE = 1008,
        IDC_FLASH_CS = 1011,
        IDC_FLEX_SDK = 1012,
        IDC_KEY_FRAMES = 1020,
        IDC_MATRICES = 1021,
        IDC_NO_ANIMATION = 1022,
    };

    // restriction above 0 greys the key-frame form, above 1 the matrix form too; without
    // flashEnabled both Flash radios are greyed.
    CDialogSave(wxWindow* parent, std::int32_t restriction, bool flashEnabled);

    std::int32_t m_restriction;
    bool m_flashEnabled;
    std::int32_t m_animationForm = 0;  // ExportAnimationForm
    float m_scale = 1.0f;
    std::int32_t m_flashTarget = 0;    // FlashTarget

    // The values into the controls and back. Reading back refuses a scale that is not a
    // number above 0 with a message, and the dialog stays open.
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    wxTextCtrl* ScaleEdit() const { return m_scaleEdit; }
    wxRadioButton* FormRadio(std::int32_t form) const;      // 0..2
    wxRadioButton* FlashRadio(std::int32_t target) const;  // 0..1

private:
    wxTextCtrl* m_scaleEdit = nullptr;
    std::array<wxRadioButton*, 3> m_formRadios{};
    std::array<wxRadioButton*, 2> m_flashRadios{};

    wxDECLARE_CLASS(CDialogSave);
};
