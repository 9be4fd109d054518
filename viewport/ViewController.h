// The mouse and keyboard logic of the 3D view, free of any window toolkit: camera turns,
// pans and zooms, picks, gizmo drags of the selected bone's sample at the current frame with
// their undo grouping, the rubber band, Shift, and the mouse capture. The view window adapts
// its events to it, in client pixels of the GL surface (physical pixels).
#pragma once

#include <array>

enum class MouseButton { Left, Right, Middle };

struct MouseModifiers {
    bool shift = false;
    bool control = false;
};

// What the controller needs from the window and its document.
class IViewWindow {
public:
    virtual ~IViewWindow() = default;
    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;
    // Redraw soon (after the pending events).
    virtual void Invalidate() = 0;
    // Redraw now.
    virtual void Render() = 0;
    // Picks at a client point (the scene's pick pass); true on a hit.
    virtual bool Pick(int x, int y) = 0;
    // Marks the document modified.
    virtual void SetModified() = 0;
};

class CViewController {
public:
    explicit CViewController(IViewWindow& window) : m_window(window) {}

    void OnButtonDown(MouseButton button, int x, int y, MouseModifiers modifiers);
    void OnButtonUp(MouseButton button, int x, int y, MouseModifiers modifiers);
    void OnMouseMove(int x, int y, MouseModifiers modifiers);
    // Wheel rotation in the usual units (120 per notch).
    void OnMouseWheel(int delta, MouseModifiers modifiers);
    void OnShiftKey(bool down);
    // The window lost the mouse capture: every held button ends as if released, except
    // that a rubber band is given up (nothing bound).
    void OnCaptureLost();
    // Client size of the GL surface.
    void OnSize(int width, int height);

    bool IsButtonDown(MouseButton button) const;
    bool HasCapture() const { return m_hasCapture; }
    bool IsUndoPending() const { return m_undoPending; }

private:
    void LeftDown(int x, int y);
    void LeftUp(int x, int y);
    void PressForCapture();
    void ReleaseForCapture();
    void DragGizmo(float dx, float dy);
    void AfterPick();
    void Pan(float dx, float dy);

    IViewWindow& m_window;
    bool m_leftButtonDown = false;
    bool m_rightButtonDown = false;
    bool m_middleButtonDown = false;
    std::array<int, 2> m_lastMousePoint{0, 0};
    // Set by every left press; the first non-zero gizmo drag after it pushes one undo entry.
    bool m_undoPending = false;
    bool m_hasCapture = false;
};
