#include "viewport/ViewController.h"

#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "viewport/GizmoTables.h"
#include "viewport/PaneDirectory.h"

namespace {

void ShowBoneValues()
{
    if (CPaneDirectory* panes = GetPaneDirectory(); panes && panes->m_sliderView)
        panes->m_sliderView->ShowBoneValues();
}

void RaiseZoom(float amount)
{
    g_scene.m_zoom += amount;
    if (!(g_scene.m_zoom >= 1.0f))
        g_scene.m_zoom = 1.0f;
}

// The selected bone's sample at the current animation and frame, or null when there is none
// (no bone or animation selected, or a frame outside the bone's samples).
CAnimation* CurrentSample()
{
    if (!g_scene.IsBoneAndAnimationSelected())
        return nullptr;
    CBone& bone = g_scene.m_bones[g_scene.m_selectedBone];
    if (static_cast<std::size_t>(g_currentAnimation) >= bone.m_animations.size())
        return nullptr;
    std::vector<CAnimation>& samples = bone.m_animations[g_currentAnimation];
    if (g_currentFrame < 0 || static_cast<std::size_t>(g_currentFrame) >= samples.size())
        return nullptr;
    return &samples[g_currentFrame];
}

}  // namespace

bool CViewController::IsButtonDown(MouseButton button) const
{
    switch (button) {
    case MouseButton::Left:
        return m_leftButtonDown;
    case MouseButton::Right:
        return m_rightButtonDown;
    case MouseButton::Middle:
        return m_middleButtonDown;
    }
    return false;
}

// The capture is taken by the first button pressed and given back with the last released.
void CViewController::PressForCapture()
{
    if (!m_leftButtonDown && !m_rightButtonDown && !m_middleButtonDown && !m_hasCapture) {
        m_window.CaptureMouse();
        m_hasCapture = true;
    }
}

void CViewController::ReleaseForCapture()
{
    if (!m_leftButtonDown && !m_rightButtonDown && !m_middleButtonDown && m_hasCapture) {
        m_window.ReleaseMouse();
        m_hasCapture = false;
    }
}

void CViewController::AfterPick()
{
    CPaneDirectory* panes = GetPaneDirectory();
    if (!panes)
        return;
    if (panes->m_sliderView) {
        panes->m_sliderView->UpdateKeyFrameTicks();
        panes->m_sliderView->ShowBoneValues();
    }
    if (panes->m_hierarchyView)
        panes->m_hierarchyView->SelectCurrentBoneItem();
}

void CViewController::OnButtonDown(MouseButton button, int x, int y, MouseModifiers modifiers)
{
    g_scene.m_shiftDown = modifiers.shift;
    PressForCapture();
    switch (button) {
    case MouseButton::Left:
        LeftDown(x, y);
        break;
    case MouseButton::Right:
        m_lastMousePoint = {x, y};
        m_rightButtonDown = true;
        m_window.Render();
        break;
    case MouseButton::Middle:
        m_lastMousePoint = {x, y};
        m_middleButtonDown = true;
        m_window.Render();
        break;
    }
}

void CViewController::LeftDown(int x, int y)
{
    m_leftButtonDown = true;
    m_lastMousePoint = {x, y};
    if (g_scene.m_editMode == EditModeVertexSelect || g_scene.m_editMode == EditModeRubberBand) {
        g_scene.m_editMode = EditModeVertexSelect;
        if (m_window.Pick(x, y))
            AfterPick();
        g_scene.m_selectionRect = {x, y, x, y};
    } else if (m_window.Pick(x, y)) {
        AfterPick();
    }
    m_undoPending = true;
    m_window.Render();
}

void CViewController::OnButtonUp(MouseButton button, int x, int y, MouseModifiers modifiers)
{
    g_scene.m_shiftDown = modifiers.shift;
    if (!IsButtonDown(button))
        return;  // a release whose press this window never saw
    switch (button) {
    case MouseButton::Left:
        LeftUp(x, y);
        break;
    case MouseButton::Right:
        m_rightButtonDown = false;
        ReleaseForCapture();
        break;
    case MouseButton::Middle:
        m_middleButtonDown = false;
        ReleaseForCapture();
        break;
    }
}

void CViewController::LeftUp(int x, int y)
{
    m_leftButtonDown = false;
    ReleaseForCapture();
    const std::int32_t mode = g_scene.m_editMode;
    if (mode == EditModeRubberBand) {
        m_window.Pick(x, y);
        g_scene.m_selectionRect = {x, y, x, y};
    } else if (mode == EditModeTranslate || mode == EditModeRotate || mode == EditModeScale) {
        g_scene.InterpolateAllBones();
    }
    m_window.Render();
    if (!m_undoPending)
        g_editFrame = g_currentFrame;
}

void CViewController::OnCaptureLost()
{
    m_hasCapture = false;
    if (m_leftButtonDown && g_scene.m_editMode == EditModeRubberBand) {
        // A rubber band cut short binds nothing: it is given up, as if it had never left
        // the vertex-select click that started it.
        m_leftButtonDown = false;
        g_scene.m_editMode = EditModeVertexSelect;
        g_scene.m_selectionRect = {m_lastMousePoint[0], m_lastMousePoint[1], m_lastMousePoint[0], m_lastMousePoint[1]};
        m_window.Invalidate();
    } else if (m_leftButtonDown) {
        // A gizmo drag keeps what it applied (with its undo entry), as a release would.
        LeftUp(m_lastMousePoint[0], m_lastMousePoint[1]);
    }
    m_rightButtonDown = false;
    m_middleButtonDown = false;
}

void CViewController::Pan(float dx, float dy)
{
    g_scene.m_camera.m_translate.m_x += dx;
    g_scene.m_camera.m_translate.m_y -= dy;
}

void CViewController::OnMouseMove(int x, int y, MouseModifiers modifiers)
{
    g_scene.m_shiftDown = modifiers.shift;
    const float dx = static_cast<float>(x - m_lastMousePoint[0]);
    const float dy = static_cast<float>(y - m_lastMousePoint[1]);
    if (!m_leftButtonDown) {
        if (m_rightButtonDown) {
            g_scene.m_camera.m_rotate.m_x += dy;
            g_scene.m_camera.m_rotate.m_y += dx;
            m_window.Invalidate();
        } else if (m_middleButtonDown) {
            Pan(dx, dy);
            m_window.Invalidate();
        }
        m_lastMousePoint = {x, y};
        return;
    }
    if (modifiers.control) {
        Pan(dx, dy);
    } else if (m_rightButtonDown) {
        RaiseZoom((dx + dy) / 10.0f);
    } else {
        switch (g_scene.m_editMode) {
        case EditModeVertexSelect:
            g_scene.m_editMode = EditModeRubberBand;
            [[fallthrough]];
        case EditModeRubberBand:
            g_scene.m_selectionRect[2] = x;
            g_scene.m_selectionRect[3] = y;
            ShowBoneValues();
            break;
        case EditModeTranslate:
        case EditModeRotate:
        case EditModeScale:
            DragGizmo(dx, dy);
            m_window.SetModified();
            ShowBoneValues();
            break;
        default:
            ShowBoneValues();
            break;
        }
    }
    m_window.Invalidate();
    m_lastMousePoint = {x, y};
}

// Moving right or up increases the value along an axis handle; 100 pixels make a scale
// change of 1.
void CViewController::DragGizmo(float dx, float dy)
{
    const float along = dx - dy;
    const float scale = along / 100.0f;
    const std::int32_t mode = g_scene.m_editMode;
    float amount[3] = {0, 0, 0};
    const auto set = [&](int axis, float value) {
        if (g_scene.m_axisEnabled[axis])
            amount[axis] = value;
    };
    switch (g_scene.m_activeHandle) {
    case GizmoHandleX:
    case GizmoHandleY:
    case GizmoHandleZ:
        set(g_scene.m_activeHandle, mode == EditModeScale ? scale : along);
        break;
    case GizmoHandleCenter:
        if (mode == EditModeTranslate) {
            set(0, dx);
            set(1, -dy);
        } else if (mode == EditModeRotate) {
            set(0, dy);
            set(1, dx);
        } else {
            set(0, scale);
            set(1, scale);
            set(2, scale);
        }
        break;
    default:
        break;
    }
    if (m_undoPending && (amount[0] != 0.0f || amount[1] != 0.0f || amount[2] != 0.0f)) {
        g_scene.ClearRedo();
        g_scene.PushUndoSnapshot();
        m_undoPending = false;
    }
    CAnimation* sample = CurrentSample();
    if (!sample)
        return;
    CVector& target = mode == EditModeTranslate ? sample->m_translate
                      : mode == EditModeRotate  ? sample->m_rotate
                                                : sample->m_scale;
    target.m_x += amount[0];
    target.m_y += amount[1];
    target.m_z += amount[2];
}

void CViewController::OnMouseWheel(int delta, MouseModifiers modifiers)
{
    g_scene.m_shiftDown = modifiers.shift;
    RaiseZoom(static_cast<float>(static_cast<short>(delta) / 10.0));
    m_window.Invalidate();
}

void CViewController::OnShiftKey(bool down)
{
    g_scene.m_shiftDown = down;
}

void CViewController::OnSize(int width, int height)
{
    g_scene.m_viewWidth = static_cast<float>(width);
    g_scene.m_viewHeight = static_cast<float>(height);
}
