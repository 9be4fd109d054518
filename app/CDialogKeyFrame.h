// The key-frame dialog: the frame to edit and what to do there (add the current pose as a key
// for the selected bone or for every bone, or delete the key of the selected bone or of
// every bone). The caller sets m_frame and m_action before ShowModal and reads them after OK.
#pragma once

#include <wx/dialog.h>

#include <array>
#include <cstdint>

class wxRadioButton;
class wxTextCtrl;

class CDialogKeyFrame : public wxDialog {
public:
    explicit CDialogKeyFrame(wxWindow* parent);

    std::int32_t m_frame = 0;   // the frame F to edit
    std::int32_t m_action = 0;  // 0..3, the radio choice

    // The controls from the two members, and back. Reading refuses text that is no whole
    // number with a message (the dialog then stays open).
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    wxTextCtrl* FrameEdit() const { return m_frameEdit; }
    wxRadioButton* Choice(int action) const { return m_choices.at(static_cast<std::size_t>(action)); }

private:
    wxTextCtrl* m_frameEdit = nullptr;
    std::array<wxRadioButton*, 4> m_choices{};
};
