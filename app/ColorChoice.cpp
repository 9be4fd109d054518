#include "app/ColorChoice.h"

#include <wx/colordlg.h>

std::optional<COLORREF> ChooseColorInDialog(wxWindow* parent, COLORREF initial)
{
    wxColourData data;
    data.SetChooseFull(true);
    data.SetColour(wxColour(RedOf(initial), GreenOf(initial), BlueOf(initial)));
    wxColourDialog dialog(parent, &data);
    if (dialog.ShowModal() != wxID_OK)
        return std::nullopt;
    const wxColour chosen = dialog.GetColourData().GetColour();
    if (!chosen.IsOk())
        return std::nullopt;
    return MakeRgb(chosen.Red(), chosen.Green(), chosen.Blue());
}
