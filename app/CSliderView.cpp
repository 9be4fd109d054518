#include "app/CSliderView.h"

#include "app/CFrameRuler.h"
#include "app/CKinemorphixApp.h"
#include "app/CKinemorphixDoc.h"
#include "app/CMainFrame.h"
#include "app/logic/TimelineRules.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "viewport/WxKinemorphixView.h"

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>
#include <wx/valtext.h>
#include <wx/wrapsizer.h>

namespace {

constexpr int kPlaybackTimerId = 1;
const char* const kAxisLabels[3] = {"X", "Y", "Z"};

wxString Utf8(const std::string& text) { return wxString::FromUTF8(text); }

}  // namespace

CSliderView::CSliderView(wxWindow* parent) : wxPanel(parent, wxID_ANY), m_timer(this, kPlaybackTimerId)
{
    CreateControls();
    Bind(wxEVT_TIMER, &CSliderView::OnTimer, this, kPlaybackTimerId);
}

void CSliderView::CreateControls()
{
    const int gap = FromDIP(5);
    // One row: the three axes with their values, then the two frames; it wraps when the pane
    // is narrow. The ruler spans the width below.
    auto* row = new wxWrapSizer(wxHORIZONTAL);
    for (int axis = 0; axis < 3; ++axis) {
        m_axisToggles[axis] = new wxToggleButton(this, wxID_ANY, kAxisLabels[axis], wxDefaultPosition,
                                                 wxDefaultSize, wxBU_EXACTFIT);
        m_valueEdits[axis] = new wxTextCtrl(this, wxID_ANY, wxString(), wxDefaultPosition,
                                            wxSize(FromDIP(90), -1), wxTE_PROCESS_ENTER);
        row->Add(m_axisToggles[axis], 0, wxEXPAND | wxTOP | wxBOTTOM, gap / 2);
        row->Add(m_valueEdits[axis], 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, gap);
        m_axisToggles[axis]->Bind(wxEVT_TOGGLEBUTTON, [this, axis](wxCommandEvent&) { OnAxisToggle(axis); });
        m_valueEdits[axis]->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
            event.Skip();
            ApplyValueEdits();
        });
    }

    const auto frameEdit = [this]() {
        auto* edit = new wxTextCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, wxSize(FromDIP(60), -1),
                                    wxTE_PROCESS_ENTER, wxTextValidator(wxFILTER_DIGITS));
        return edit;
    };
    const auto frameLabel = [this](const char* text) {
        return new wxStaticText(this, wxID_ANY, wxString::FromUTF8(text), wxDefaultPosition, wxDefaultSize,
                                wxALIGN_CENTRE_HORIZONTAL | wxBORDER_SUNKEN);
    };
    m_currentFrameEdit = frameEdit();
    m_lastFrameEdit = frameEdit();
    m_currentFrameEdit->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        event.Skip();
        OnCurrentFrameLeft();
    });
    m_lastFrameEdit->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        event.Skip();
        OnLastFrameLeft();
    });
    // Enter in an edit moves on to the next control, which applies the edit as leaving it does.
    for (wxTextCtrl* edit : {m_valueEdits[0], m_valueEdits[1], m_valueEdits[2], m_currentFrameEdit, m_lastFrameEdit})
        edit->Bind(wxEVT_TEXT_ENTER, [edit](wxCommandEvent&) { edit->Navigate(); });

    row->AddSpacer(3 * gap);
    row->Add(frameLabel("現在のフレーム"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    row->Add(m_currentFrameEdit, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 3 * gap);
    row->Add(frameLabel("最後のフレーム"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, gap);
    row->Add(m_lastFrameEdit, 0, wxALIGN_CENTER_VERTICAL);

    m_ruler = new CFrameRuler(this);
    m_ruler->Bind(wxEVT_SLIDER, [this](wxCommandEvent&) { OnRulerMoved(); });

    auto* all = new wxBoxSizer(wxVERTICAL);
    all->Add(row, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, gap);
    all->Add(m_ruler, 0, wxEXPAND | wxALL, gap);
    SetSizer(all);
}

void CSliderView::OnUpdate(int hint)
{
    ShowLastFrame();
    m_currentFrameEdit->ChangeValue(Utf8(FrameText(g_currentFrame)));
    switch (hint) {
    case HintInitialUpdate:
        // Every new or opened document starts with all three axes enabled, its own frame
        // under the thumb and its own keys on the ruler, and no playback of the one before.
        for (int axis = 0; axis < 3; ++axis) {
            g_scene.m_axisEnabled[axis] = true;
            m_axisToggles[axis]->SetValue(true);
        }
        StopTimer();
        ShowCurrentFrame();
        UpdateKeyFrameTicks();
        break;
    case HintDocumentLoaded:
        StopTimer();
        g_currentFrame = 0;
        if (!g_scene.m_bones.empty() && g_currentAnimation >= 0 &&
            static_cast<std::size_t>(g_currentAnimation) < g_scene.m_bones[0].m_animations.size())
            g_lastFrame = static_cast<std::int32_t>(g_scene.m_bones[0].m_animations[g_currentAnimation].size()) - 1;
        ShowLastFrame();
        ShowCurrentFrame();
        UpdateKeyFrameTicks();
        break;
    case HintPlaybackStarted:
        m_timer.Stop();
        m_timer.Start(kPlaybackInterval);
        g_playing = true;
        break;
    case HintPlaybackStopped:
        StopTimer();
        break;
    case HintAnimationSelected:
    case HintKeysChanged:
        ShowCurrentFrame();
        UpdateKeyFrameTicks();
        break;
    case HintKeyFramesEdited:
        UpdateKeyFrameTicks();
        break;
    case HintFrameChanged:
        StopTimer();
        ShowCurrentFrame();
        break;
    case HintUndoRedo:
        StopTimer();
        UpdateKeyFrameTicks();
        m_ruler->SetFrame(g_currentFrame);
        break;
    default:
        break;
    }
    // Whatever the hint changed (frame, bone, animation, mode, samples), the edits show it.
    ShowBoneValues();
}

void CSliderView::ShowLastFrame()
{
    m_lastFrameEdit->ChangeValue(Utf8(FrameText(g_lastFrame)));
    m_ruler->SetLastFrame(g_lastFrame);
}

void CSliderView::ShowCurrentFrame()
{
    m_currentFrameEdit->ChangeValue(Utf8(FrameText(g_currentFrame)));
    m_ruler->SetFrame(g_currentFrame);
}

void CSliderView::UpdateKeyFrameTicks()
{
    m_ruler->SetKeyFrames(SelectedBoneKeyFrames(g_scene));
}

CSliderView::ShownFor CSliderView::Now()
{
    return {g_currentFrame, g_currentAnimation, g_scene.m_selectedBone, g_scene.m_editMode};
}

void CSliderView::ShowBoneValues()
{
    if (const std::optional<CVector> value = ShownVector(g_scene)) {
        SetValueEdits(*value);
        m_shownFor = Now();
    }
}

void CSliderView::SetValueEdits(const CVector& value)
{
    const float components[3] = {value.m_x, value.m_y, value.m_z};
    for (int axis = 0; axis < 3; ++axis) {
        m_shownTexts[axis] = ValueText(components[axis]);
        m_valueEdits[axis]->ChangeValue(Utf8(m_shownTexts[axis]));
    }
}

void CSliderView::StopTimer()
{
    m_timer.Stop();
    g_playing = false;
}

void CSliderView::InvalidateSceneView()
{
    if (CPaneDirectory* panes = GetPaneDirectory(); panes && panes->m_sceneView)
        panes->m_sceneView->InvalidateView();
}

// Leaving an X, Y or Z edit.
void CSliderView::ApplyValueEdits()
{
    // The edits show values of another frame, bone, animation or mode than the present
    // ones: they are refreshed rather than written into this sample.
    if (ShownVector(g_scene) && !(m_shownFor == Now())) {
        ShowBoneValues();
        return;
    }
    std::array<std::string, 3> texts;
    for (int axis = 0; axis < 3; ++axis)
        texts[axis] = m_valueEdits[axis]->GetValue().utf8_string();
    const ValueEditResult result = ::ApplyValueEdits(g_scene, texts, m_shownTexts);
    if (result.changed)
        TheDocument().SetModifiedFlag(true);
    InvalidateSceneView();
    // Text that was no number gets its value back; an edit at a frame that is no key shows
    // the in-between value that replaced it.
    if (ShownVector(g_scene))
        ShowBoneValues();
    else
        for (int axis = 0; axis < 3; ++axis)
            if (result.refused[axis])
                m_valueEdits[axis]->ChangeValue(Utf8(m_shownTexts[axis]));
}

void CSliderView::OnCurrentFrameLeft()
{
    const std::optional<int> frame = TypedCurrentFrame(m_currentFrameEdit->GetValue().utf8_string());
    if (!frame) {
        m_currentFrameEdit->ChangeValue(Utf8(FrameText(g_currentFrame)));
        return;
    }
    g_currentFrame = *frame;
    m_ruler->SetFrame(g_currentFrame);
    InvalidateSceneView();
    ShowBoneValues();
}

void CSliderView::OnLastFrameLeft()
{
    const LastFrameResult result = ApplyLastFrame(g_scene, m_lastFrameEdit->GetValue().utf8_string());
    if (!result.accepted) {
        m_lastFrameEdit->ChangeValue(Utf8(FrameText(g_previousLastFrame)));
        return;
    }
    ShowLastFrame();
    ShowCurrentFrame();
    UpdateKeyFrameTicks();
    CKinemorphixDoc& document = TheDocument();
    document.UpdateAllViews(HintKeysChanged);
    if (result.sceneChanged)
        document.SetModifiedFlag(true);
}

void CSliderView::OnAxisToggle(int axis)
{
    g_scene.m_axisEnabled[axis] = !g_scene.m_axisEnabled[axis];
    m_axisToggles[axis]->SetValue(g_scene.m_axisEnabled[axis]);
}

// Moving the ruler does not stop playback.
void CSliderView::OnRulerMoved()
{
    g_currentFrame = m_ruler->GetFrame();
    m_currentFrameEdit->ChangeValue(Utf8(FrameText(g_currentFrame)));
    InvalidateSceneView();
    ShowBoneValues();
}

void CSliderView::PlaybackTick()
{
    if (!AdvancePlayback())
        m_timer.Stop();
    ShowCurrentFrame();
    InvalidateSceneView();
    ShowBoneValues();
}

void CSliderView::OnTimer(wxTimerEvent&)
{
    PlaybackTick();
}
