#include "app/CDlgMaterial.h"

#include "app/logic/IFileChooser.h"
#include "app/logic/MaterialRules.h"
#include "app/logic/PaneRenames.h"
#include "app/logic/TimelineRules.h"
#include "platform/Messages.h"

#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <filesystem>

namespace {

const char* const kLabels[MaterialValueCount] = {
    "赤", "緑", "青", "不透明度", "Toon赤", "Toon緑", "Toon青", "拡散光", "自己照明", "反射光", "反射の強さ", "周囲光",
};

const char* const kNotANumberMessage = "数値を入力してください。";

wxString Utf8(const char* text) { return wxString::FromUTF8(text); }

}  // namespace

// A patch of one colour: the material colour or the toon colour (opacity is not shown).
class CDlgMaterial::Swatch : public wxWindow {
public:
    Swatch(wxWindow* parent, const std::array<float, MaterialValueCount>& numbers, int first)
        : wxWindow(parent, wxID_ANY, wxDefaultPosition, parent->FromDIP(wxSize(200, 45)), wxBORDER_SUNKEN),
          m_numbers(numbers), m_first(first)
    {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
            wxPaintDC dc(this);
            const auto rgb = SwatchRgb(m_numbers[m_first], m_numbers[m_first + 1], m_numbers[m_first + 2]);
            dc.SetBackground(wxBrush(wxColour(rgb[0], rgb[1], rgb[2])));
            dc.Clear();
        });
    }

private:
    const std::array<float, MaterialValueCount>& m_numbers;
    int m_first;
};

CDlgMaterial::CDlgMaterial(wxWindow* parent, const MaterialDialogValues& values)
    : wxDialog(parent, wxID_ANY, Utf8("マテリアル設定"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_values(values), m_shown(values.numbers)
{
    const int gap = FromDIP(5);

    auto* nameRow = new wxBoxSizer(wxHORIZONTAL);
    nameRow->Add(new wxStaticText(this, wxID_ANY, Utf8("名前")), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    m_name = new wxTextCtrl(this, wxID_ANY, wxString::FromUTF8(values.name));
    nameRow->Add(m_name, 1, wxALIGN_CENTER_VERTICAL);

    // Colour and toon colour with their swatches on the left, the light on the right.
    auto* colours = new wxBoxSizer(wxVERTICAL);
    colours->Add(CreateValueRows({ValueRed, ValueGreen, ValueBlue, ValueAlpha}), 0, wxEXPAND);
    m_swatch = new Swatch(this, m_shown, ValueRed);
    colours->Add(m_swatch, 0, wxEXPAND | wxTOP | wxBOTTOM, gap);
    colours->Add(CreateValueRows({ValueToonRed, ValueToonGreen, ValueToonBlue}), 0, wxEXPAND);
    m_toonSwatch = new Swatch(this, m_shown, ValueToonRed);
    colours->Add(m_toonSwatch, 0, wxEXPAND | wxTOP, gap);

    auto* light = new wxBoxSizer(wxVERTICAL);
    light->Add(CreateValueRows({ValueDiffuse, ValueEmissive, ValueSpecular, ValuePower, ValueAmbient}), 0, wxEXPAND);

    auto* columns = new wxBoxSizer(wxHORIZONTAL);
    columns->Add(colours, 1, wxEXPAND | wxRIGHT, 3 * gap);
    columns->Add(light, 1, wxEXPAND);

    auto* textures = new wxFlexGridSizer(2, gap, gap);
    textures->AddGrowableCol(1);
    m_textureButton = new wxButton(this, wxID_ANY, Utf8("ﾃｸｽﾁｬ"));
    m_texture = new wxTextCtrl(this, wxID_ANY, wxString::FromUTF8(values.texture));
    m_toonTextureButton = new wxButton(this, wxID_ANY, Utf8("Toonﾃｸｽﾁｬ"));
    m_toonTexture = new wxTextCtrl(this, wxID_ANY, wxString::FromUTF8(values.toonTexture));
    textures->Add(m_textureButton, 0, wxEXPAND);
    textures->Add(m_texture, 1, wxEXPAND | wxALIGN_CENTER_VERTICAL);
    textures->Add(m_toonTextureButton, 0, wxEXPAND);
    textures->Add(m_toonTexture, 1, wxEXPAND | wxALIGN_CENTER_VERTICAL);
    m_textureButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ChooseTexture(m_texture); });
    m_toonTextureButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ChooseTexture(m_toonTexture); });

    auto* buttons = new wxStdDialogButtonSizer;
    buttons->AddButton(new wxButton(this, wxID_OK, "OK"));
    buttons->AddButton(new wxButton(this, wxID_CANCEL, Utf8("キャンセル")));
    buttons->Realize();

    auto* all = new wxBoxSizer(wxVERTICAL);
    all->Add(nameRow, 0, wxEXPAND | wxALL, 2 * gap);
    all->Add(columns, 1, wxEXPAND | wxLEFT | wxRIGHT, 2 * gap);
    all->Add(textures, 0, wxEXPAND | wxALL, 2 * gap);
    all->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 2 * gap);
    SetSizerAndFit(all);
    SetMinSize(GetSize());
    CentreOnParent();
}

// One row per value: its label, its slider and its edit.
wxSizer* CDlgMaterial::CreateValueRows(std::initializer_list<int> values)
{
    auto* grid = new wxFlexGridSizer(3, FromDIP(4), FromDIP(5));
    grid->AddGrowableCol(1);
    // Every label as wide as the widest, so the sliders of all groups line up.
    int labelWidth = 0;
    for (const char* label : kLabels)
        labelWidth = std::max(labelWidth, GetTextExtent(Utf8(label)).x);
    for (int value : values) {
        const float number = m_values.numbers[value];
        m_sliders[value] = new wxSlider(this, wxID_ANY, SliderPosition(value, number), 0, 100, wxDefaultPosition,
                                        FromDIP(wxSize(120, -1)));
        m_edits[value] = new wxTextCtrl(this, wxID_ANY, InitialValueText(number), wxDefaultPosition,
                                        FromDIP(wxSize(80, -1)));
        auto* label = new wxStaticText(this, wxID_ANY, Utf8(kLabels[value]));
        label->SetMinSize(wxSize(labelWidth, -1));
        grid->Add(label, 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(m_sliders[value], 1, wxEXPAND | wxALIGN_CENTER_VERTICAL);
        grid->Add(m_edits[value], 0, wxALIGN_CENTER_VERTICAL);
        m_sliders[value]->Bind(wxEVT_SLIDER, [this, value](wxCommandEvent&) { OnSlider(value); });
        m_edits[value]->Bind(wxEVT_KILL_FOCUS, [this, value](wxFocusEvent& event) { OnEditLeft(value, event); });
    }
    return grid;
}

// A moved slider rewrites its own edit only: a value typed into another edit keeps its digits.
void CDlgMaterial::OnSlider(int value)
{
    const float number = SliderValue(value, m_sliders[value]->GetValue());
    m_edits[value]->ChangeValue(ValueText(number));
    m_shown[value] = number;
    RefreshSwatches();
}

// A left edit has every edit checked, as OK does: the first that holds no number is refused
// with a message (the focus goes on where the user moved it), and the swatches take the
// numbers read before it. Then the left edit's slider goes to atof (the power's to atoi) of
// its text, whatever the text holds. This runs once the focus has moved: leaving an edit for
// the OK button must not refuse the text twice, once here and once for OK.
void CDlgMaterial::OnEditLeft(int value, wxFocusEvent& event)
{
    event.Skip();
    // The message box takes the focus from the edit that has it; that is no edit left.
    if (m_refusing)
        return;
    CallAfter([this, value, refusals = m_refusals] {
        if (refusals == m_refusals && ReadNumbers(m_shown) >= 0)
            Refuse(kNotANumberMessage);
        m_sliders[value]->SetValue(SliderPositionForText(value, m_edits[value]->GetValue().utf8_string()));
        RefreshSwatches();
    });
}

void CDlgMaterial::Refuse(const char* message, wxTextCtrl* focus, bool selectAll)
{
    ++m_refusals;
    m_refusing = true;
    ShowMessage(message, MessageButtons::Ok, MessageIcon::Warning);
    if (focus) {
        focus->SetFocus();
        if (selectAll)
            focus->SelectAll();
    }
    m_refusing = false;
}

int CDlgMaterial::ReadNumbers(std::array<float, MaterialValueCount>& into) const
{
    for (int i = 0; i < MaterialValueCount; ++i) {
        const std::optional<float> number = ParseDecimalNumber(m_edits[i]->GetValue().utf8_string());
        if (!number)
            return i;
        into[i] = *number;
    }
    return -1;
}

void CDlgMaterial::RefreshSwatches()
{
    m_swatch->Refresh(false);
    m_toonSwatch->Refresh(false);
}

void CDlgMaterial::ChooseTexture(wxTextCtrl* edit)
{
    const std::vector<std::string> folders = TextureFolders();
    FileDialogRequest request;
    request.defaultExtension = "bmp";
    request.filter = "全ての形式(*.bmp;*.jpg;*.jpeg;*.tga;*.png;*.iff;*.ppm)|*.bmp;*.jpg;*.jpeg;*.tga;*.png;*.iff;*.ppm|";
    request.initialFolder = folders.front();
    for (const std::string& folder : folders) {
        std::error_code error;
        if (std::filesystem::is_directory(folder, error)) {
            request.initialFolder = folder;
            break;
        }
    }
    if (const std::optional<FileDialogAnswer> answer = ChooseFile(request)) {
        edit->ChangeValue(wxString::FromUTF8(TextureNameForFile(answer->path, folders)));
        RefreshSwatches();
    }
}

bool CDlgMaterial::TransferDataFromWindow()
{
    MaterialDialogValues values;
    if (const int refused = ReadNumbers(values.numbers); refused >= 0) {
        Refuse(kNotANumberMessage, m_edits[refused], true);
        return false;
    }
    for (wxTextCtrl* edit : {m_texture, m_toonTexture}) {
        if (!Cp932FromWidget(edit->GetValue().utf8_string())) {
            Refuse(kUnconvertibleNameMessage, edit);
            return false;
        }
    }
    values.name = m_name->GetValue().utf8_string();
    values.texture = m_texture->GetValue().utf8_string();
    values.toonTexture = m_toonTexture->GetValue().utf8_string();
    m_values = values;
    return true;
}
