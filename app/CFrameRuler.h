// The timeline's frame ruler: a track from frame 0 to the last frame with numbered marks,
// a tick above the track at every key frame of the selected bone and a thumb at the current
// frame. Clicking or dragging moves the thumb, as do the arrow keys, Page Up and Down, Home
// and End; every move the user makes sends wxEVT_SLIDER with the frame.
#pragma once

#include "app/logic/FrameRulerScale.h"

#include <wx/control.h>

#include <vector>

class CFrameRuler : public wxControl {
public:
    explicit CFrameRuler(wxWindow* parent, wxWindowID id = wxID_ANY);

    void SetLastFrame(int lastFrame);
    int GetLastFrame() const { return m_lastFrame; }
    // Moves the thumb (no event).
    void SetFrame(int frame);
    int GetFrame() const { return m_frame; }
    void SetKeyFrames(std::vector<int> frames);
    const std::vector<int>& GetKeyFrames() const { return m_keyFrames; }

    // The track as laid out now (client pixels).
    FrameRulerScale Scale() const;

protected:
    wxSize DoGetBestClientSize() const override;

private:
    void OnPaint(wxPaintEvent& event);
    void OnMouse(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    // Moves the thumb as the user asked and tells the owner.
    void MoveByUser(int frame);

    int m_lastFrame = 100;
    int m_frame = 0;
    std::vector<int> m_keyFrames;
};
