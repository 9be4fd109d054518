// The material dialog: name, colour and opacity, toon colour, the four light strengths, the
// specular power, the texture and the toon texture of one material. Every number has an
// edit and a slider that follow each other; two swatches show the colour and the toon
// colour. OK checks the edits and keeps their values (Values()); the caller writes them back.
#pragma once

#include "app/logic/MaterialDialogValues.h"

#include <wx/dialog.h>

#include <array>

class wxButton;
class wxSlider;
class wxTextCtrl;
class wxWindow;

class CDlgMaterial : public wxDialog {
public:
    CDlgMaterial(wxWindow* parent, const MaterialDialogValues& values);

    // The values as OK took them from the edits (the edits, not the sliders, count).
    const MaterialDialogValues& Values() const { return m_values; }

    // False, with a message and the focus on the edit, when a number edit holds no number or
    // a texture name has characters that a scene cannot store.
    bool TransferDataFromWindow() override;

    wxTextCtrl* NameEdit() const { return m_name; }
    wxTextCtrl* ValueEdit(int value) const { return m_edits[value]; }
    wxSlider* ValueSlider(int value) const { return m_sliders[value]; }
    wxTextCtrl* TextureEdit() const { return m_texture; }
    wxTextCtrl* ToonTextureEdit() const { return m_toonTexture; }
    wxButton* TextureButton() const { return m_textureButton; }
    wxButton* ToonTextureButton() const { return m_toonTextureButton; }

private:
    class Swatch;

    wxSizer* CreateValueRows(std::initializer_list<int> values);
    void OnSlider(int value);
    void OnEditLeft(int value, wxFocusEvent& event);
    void ChooseTexture(wxTextCtrl* edit);
    void RefreshSwatches();
    // Shows why a value is refused.
    // Shows the refusal; then, still refusing, gives the focus to the edit to mend (so that
    // the edit it leaves is not checked once more).
    void Refuse(const char* message, wxTextCtrl* focus = nullptr, bool selectAll = false);
    // Reads every edit's number into `into`, up to the first edit that holds no number: its
    // row, or -1 when every edit holds one.
    int ReadNumbers(std::array<float, MaterialValueCount>& into) const;

    MaterialDialogValues m_values;
    // What the swatches show: the numbers as last taken from an edit or a slider.
    std::array<float, MaterialValueCount> m_shown{};
    wxTextCtrl* m_name = nullptr;
    std::array<wxTextCtrl*, MaterialValueCount> m_edits{};
    std::array<wxSlider*, MaterialValueCount> m_sliders{};
    wxTextCtrl* m_texture = nullptr;
    wxTextCtrl* m_toonTexture = nullptr;
    wxButton* m_textureButton = nullptr;
    wxButton* m_toonTextureButton = nullptr;
    Swatch* m_swatch = nullptr;
    Swatch* m_toonSwatch = nullptr;
    bool m_refusing = false;    // a refusal's message box is up
    unsigned m_refusals = 0;    // refusals shown so far
};
