// The settings dialog "各種設定": the smoothing angle of the normals and the range of the
// weight map. OK with text that is no number keeps the dialog open with a message.
#pragma once

#include <wx/dialog.h>

#include <cstdint>

class wxTextCtrl;

class CPropertyDialog : public wxDialog {
public:
    // Control ids of the two fields.
    enum { IDC_SMOOTHING_ANGLE = 1012, IDC_WEIGHT_MAP_RANGE = 1014 };

    explicit CPropertyDialog(wxWindow* parent);

    float m_smoothingAngle = 0.0f;
    std::int32_t m_weightMapRange = 0;

    // Shows the members in the fields.
    bool TransferDataToWindow() override;
    // Takes both fields into the members; false, with a message and the field selected, when
    // one of them does not hold a number.
    bool TransferDataFromWindow() override;

    wxTextCtrl* AngleField() const { return m_angleField; }
    wxTextCtrl* RangeField() const { return m_rangeField; }

private:
    wxTextCtrl* m_angleField = nullptr;
    wxTextCtrl* m_rangeField = nullptr;
    // The angle's text as shown: unchanged text keeps the exact value it stands for.
    wxString m_shownAngle;
};
