// The timeline form: lower pane of the right column, under the 3D view. Three axis toggles
// that gate the 3D view's drags, the X, Y, Z values of the selected bone at the current frame
// (translation, rotation or scale by edit mode), the current and the last frame, the frame
// ruler with the key frames of the selected bone, and playback on a timer.
#pragma once

#include "app/logic/IDocumentView.h"
#include "viewport/PaneDirectory.h"

#include <wx/panel.h>
#include <wx/timer.h>

#include <array>
#include <string>

class CFrameRuler;
class CVector;
class wxTextCtrl;
class wxToggleButton;

class CSliderView : public wxPanel, public ISliderPane, public IDocumentView {
public:
    // One playback tick every this many milliseconds (one frame per tick).
    static constexpr int kPlaybackInterval = 30;

    explicit CSliderView(wxWindow* parent);

    void OnUpdate(int hint) override;
    // The ruler's ticks at the selected bone's key frames of the current animation.
    void UpdateKeyFrameTicks() override;
    // The selected bone's translation, rotation or scale at the current frame in the X, Y, Z
    // edits (by edit mode; other modes leave the edits as they are).
    void ShowBoneValues() override;

    // One playback step, as the timer runs it.
    void PlaybackTick();
    bool IsTimerRunning() const { return m_timer.IsRunning(); }

    wxToggleButton* AxisToggle(int axis) const { return m_axisToggles[axis]; }
    wxTextCtrl* ValueEdit(int axis) const { return m_valueEdits[axis]; }
    wxTextCtrl* CurrentFrameEdit() const { return m_currentFrameEdit; }
    wxTextCtrl* LastFrameEdit() const { return m_lastFrameEdit; }
    CFrameRuler* FrameRuler() const { return m_ruler; }

private:
    // What the value edits were last filled for: leaving an edit after any of these changed
    // must not write what it shows into another sample.
    struct ShownFor {
        int frame = -1;
        int animation = -1;
        int bone = -1;
        int mode = -1;
        bool operator==(const ShownFor&) const = default;
    };
    static ShownFor Now();

    void CreateControls();
    void SetValueEdits(const CVector& value);
    void ShowCurrentFrame();
    void ShowLastFrame();
    void StopTimer();
    void ApplyValueEdits();
    void OnCurrentFrameLeft();
    void OnLastFrameLeft();
    void OnAxisToggle(int axis);
    void OnRulerMoved();
    void OnTimer(wxTimerEvent& event);
    void InvalidateSceneView();

    std::array<wxToggleButton*, 3> m_axisToggles{};
    std::array<wxTextCtrl*, 3> m_valueEdits{};
    wxTextCtrl* m_currentFrameEdit = nullptr;
    wxTextCtrl* m_lastFrameEdit = nullptr;
    CFrameRuler* m_ruler = nullptr;
    wxTimer m_timer;
    std::array<std::string, 3> m_shownTexts;  // the value edits' texts as last written
    ShownFor m_shownFor;
};
