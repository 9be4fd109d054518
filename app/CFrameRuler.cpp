#include "app/CFrameRuler.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

#include <algorithm>

namespace {

// Rows of the ruler from the top, in pixels at normal resolution.
constexpr int kTickTop = 1;
constexpr int kTrackY = 14;
constexpr int kLabelTop = 22;
constexpr int kHeight = 38;
constexpr int kSideMargin = 8;

}  // namespace

CFrameRuler::CFrameRuler(wxWindow* parent, wxWindowID id)
    : wxControl(parent, id, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CFrameRuler::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CFrameRuler::OnMouse, this);
    Bind(wxEVT_LEFT_UP, &CFrameRuler::OnMouse, this);
    Bind(wxEVT_MOTION, &CFrameRuler::OnMouse, this);
    Bind(wxEVT_KEY_DOWN, &CFrameRuler::OnKeyDown, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CFrameRuler::OnCaptureLost, this);
    Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& event) { Refresh(false); event.Skip(); });
    Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) { Refresh(false); event.Skip(); });
}

wxSize CFrameRuler::DoGetBestClientSize() const
{
    return FromDIP(wxSize(200, kHeight));
}

void CFrameRuler::SetLastFrame(int lastFrame)
{
    lastFrame = std::max(lastFrame, 0);
    if (lastFrame == m_lastFrame)
        return;
    m_lastFrame = lastFrame;
    m_frame = std::clamp(m_frame, 0, m_lastFrame);
    Refresh(false);
}

void CFrameRuler::SetFrame(int frame)
{
    frame = std::clamp(frame, 0, m_lastFrame);
    if (frame == m_frame)
        return;
    m_frame = frame;
    Refresh(false);
}

void CFrameRuler::SetKeyFrames(std::vector<int> frames)
{
    if (frames == m_keyFrames)
        return;
    m_keyFrames = std::move(frames);
    Refresh(false);
}

FrameRulerScale CFrameRuler::Scale() const
{
    const int margin = FromDIP(kSideMargin);
    return {margin, std::max(GetClientSize().x - 2 * margin, 1), m_lastFrame};
}

void CFrameRuler::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    // A strip of the window colour, framed, so the ruler reads as one control.
    dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW)));
    dc.Clear();
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(GetClientRect());
    const FrameRulerScale scale = Scale();
    const wxColour text = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
    const int trackY = FromDIP(kTrackY);

    // The track, sunken.
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)));
    dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
    dc.DrawRectangle(scale.left - 2, trackY - 2, scale.width + 5, FromDIP(4) + 1);

    // Numbered marks below the track.
    dc.SetFont(GetFont().Smaller());
    dc.SetTextForeground(text);
    dc.SetPen(wxPen(text));
    const int step = scale.LabelStep(FromDIP(36));
    for (long long frame = 0; frame <= m_lastFrame; frame += step) {
        const int x = scale.XOf(static_cast<int>(frame));
        dc.DrawLine(x, trackY + FromDIP(4), x, trackY + FromDIP(7));
        const wxString label = wxString::Format("%lld", frame);
        const wxSize extent = dc.GetTextExtent(label);
        dc.DrawText(label, std::clamp(x - extent.x / 2, 0, std::max(GetClientSize().x - extent.x, 0)),
                    FromDIP(kLabelTop));
    }

    // A tick above the track at every key frame.
    dc.SetPen(wxPen(wxColour(200, 0, 0), FromDIP(2)));
    for (int frame : m_keyFrames)
        if (frame >= 0 && frame <= m_lastFrame) {
            const int x = scale.XOf(frame);
            dc.DrawLine(x, FromDIP(kTickTop), x, trackY - FromDIP(2));
        }

    // The thumb at the current frame.
    const int x = scale.XOf(m_frame);
    const wxColour thumb = HasFocus() ? wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT)
                                      : wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW);
    dc.SetPen(wxPen(text));
    dc.SetBrush(wxBrush(thumb));
    const int half = FromDIP(5);
    dc.DrawRoundedRectangle(x - half, trackY - FromDIP(5), 2 * half + 1, FromDIP(14), FromDIP(2));
}

void CFrameRuler::OnMouse(wxMouseEvent& event)
{
    if (event.LeftDown()) {
        SetFocus();
        if (!HasCapture())
            CaptureMouse();
        MoveByUser(Scale().FrameAt(event.GetX()));
    } else if (event.LeftUp()) {
        if (HasCapture())
            ReleaseMouse();
    } else if (event.Dragging() && HasCapture()) {
        MoveByUser(Scale().FrameAt(event.GetX()));
    }
}

void CFrameRuler::OnCaptureLost(wxMouseCaptureLostEvent&) {}

void CFrameRuler::OnKeyDown(wxKeyEvent& event)
{
    const int page = std::max(m_lastFrame / 10, 1);
    switch (event.GetKeyCode()) {
    case WXK_LEFT:
    case WXK_DOWN:
        MoveByUser(m_frame - 1);
        break;
    case WXK_RIGHT:
    case WXK_UP:
        MoveByUser(m_frame + 1);
        break;
    case WXK_PAGEUP:
        MoveByUser(m_frame - page);
        break;
    case WXK_PAGEDOWN:
        MoveByUser(m_frame + page);
        break;
    case WXK_HOME:
        MoveByUser(0);
        break;
    case WXK_END:
        MoveByUser(m_lastFrame);
        break;
    default:
        event.Skip();
        break;
    }
}

void CFrameRuler::MoveByUser(int frame)
{
    frame = std::clamp(frame, 0, m_lastFrame);
    if (frame == m_frame)
        return;
    SetFrame(frame);
    wxCommandEvent changed(wxEVT_SLIDER, GetId());
    changed.SetEventObject(this);
    changed.SetInt(m_frame);
    ProcessWindowEvent(changed);
}
