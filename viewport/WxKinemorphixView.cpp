#include "viewport/WxKinemorphixView.h"

#include "platform/Messages.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "viewport/OpenGLSetup.h"

#include <GL/gl.h>
#include <wx/dcclient.h>

#include <cmath>

wxBEGIN_EVENT_TABLE(CKinemorphixView, wxGLCanvas)
    EVT_PAINT(CKinemorphixView::OnPaint)
    EVT_SIZE(CKinemorphixView::OnSize)
    EVT_ERASE_BACKGROUND(CKinemorphixView::OnEraseBackground)
    EVT_LEFT_DOWN(CKinemorphixView::OnMouse)
    EVT_LEFT_UP(CKinemorphixView::OnMouse)
    EVT_RIGHT_DOWN(CKinemorphixView::OnMouse)
    EVT_RIGHT_UP(CKinemorphixView::OnMouse)
    EVT_MIDDLE_DOWN(CKinemorphixView::OnMouse)
    EVT_MIDDLE_UP(CKinemorphixView::OnMouse)
    EVT_MOTION(CKinemorphixView::OnMouse)
    EVT_MOUSEWHEEL(CKinemorphixView::OnMouse)
    EVT_MOUSE_CAPTURE_LOST(CKinemorphixView::OnCaptureLost)
    EVT_KEY_DOWN(CKinemorphixView::OnKeyDown)
    EVT_KEY_UP(CKinemorphixView::OnKeyUp)
wxEND_EVENT_TABLE()

namespace {

// Double-buffered RGBA with 8 bits a colour channel and a 24-bit depth buffer.
wxGLAttributes ViewAttributes()
{
    wxGLAttributes attributes;
    attributes.PlatformDefaults().RGBA().DoubleBuffer().MinRGBA(8, 8, 8, 0).Depth(24).EndList();
    return attributes;
}

}  // namespace

CKinemorphixView* CKinemorphixView::CreateView(wxWindow* parent, wxWindowID id)
{
    g_scene.ResetScene();
    const wxGLAttributes attributes = ViewAttributes();
    if (!wxGLCanvas::IsDisplaySupported(attributes)) {
        ShowMessage("ChoosePixelFormat::Error", MessageButtons::Ok);
        return nullptr;
    }
    auto* view = new CKinemorphixView(parent, attributes, id);
    if (!view->GetXVisualInfo()) {
        ShowMessage("SetPixelFormat::Error", MessageButtons::Ok);
        view->Destroy();
        return nullptr;
    }
    view->m_context = std::make_unique<wxGLContext>(view);
    if (!view->m_context->IsOK()) {
        ShowMessage("wglCreateContext::Error", MessageButtons::Ok);
        view->Destroy();
        return nullptr;
    }
    AttachRenderSurface(view, &view->m_surface, view->m_context.get());
    return view;
}

CKinemorphixView::CKinemorphixView(wxWindow* parent, const wxGLAttributes& attributes, wxWindowID id)
    : wxGLCanvas(parent, attributes, id, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
}

CKinemorphixView::~CKinemorphixView()
{
    if (AttachedRenderSurface() == &m_surface) {
        if (m_glInitialized)
            m_surface.MakeCurrent();
        ReleaseOpenGL();
    }
}

void CKinemorphixView::CaptureNextFrame(std::function<void(const CapturedFrame&)> callback)
{
    m_capture = std::move(callback);
    Refresh(false);
}

int CKinemorphixView::ToPixels(int logical) const
{
    return static_cast<int>(std::lround(logical * GetContentScaleFactor()));
}

bool CKinemorphixView::Surface::MakeCurrent()
{
    if (!m_view.m_context || !m_view.IsShownOnScreen())
        return false;
    if (!m_view.m_context->SetCurrent(m_view)) {
        if (!m_view.m_makeCurrentFailed)
            ShowMessage("wglMakeCurrent::Error", MessageButtons::Ok);
        m_view.m_makeCurrentFailed = true;
        return false;
    }
    if (!m_view.m_glInitialized) {
        m_view.m_glInitialized = true;
        InitializeOpenGLState();
    }
    return true;
}

void CKinemorphixView::Surface::SwapBuffers()
{
    if (m_view.m_capture) {
        CapturedFrame frame;
        frame.width = static_cast<int>(g_scene.m_viewWidth);
        frame.height = static_cast<int>(g_scene.m_viewHeight);
        std::vector<unsigned char> rows(static_cast<std::size_t>(frame.width) * frame.height * 3);
        glFinish();
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, frame.width, frame.height, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
        frame.rgb.resize(rows.size());
        const std::size_t stride = static_cast<std::size_t>(frame.width) * 3;
        for (int y = 0; y < frame.height; ++y)
            std::copy_n(rows.begin() + (frame.height - 1 - y) * stride, stride, frame.rgb.begin() + y * stride);
        auto callback = std::move(m_view.m_capture);
        m_view.m_capture = nullptr;
        callback(frame);
    }
    m_view.wxGLCanvas::SwapBuffers();
}

void CKinemorphixView::Window::CaptureMouse()
{
    if (!m_view.HasCapture())
        m_view.wxWindow::CaptureMouse();
}

void CKinemorphixView::Window::ReleaseMouse()
{
    if (m_view.HasCapture())
        m_view.wxWindow::ReleaseMouse();
}

void CKinemorphixView::Window::Render()
{
    g_scene.RenderScene();
}

bool CKinemorphixView::Window::Pick(int x, int y)
{
    return g_scene.Pick(x, y);
}

void CKinemorphixView::Window::SetModified()
{
    if (m_view.m_onModified)
        m_view.m_onModified();
}

void CKinemorphixView::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    g_scene.RenderScene();
}

void CKinemorphixView::OnSize(wxSizeEvent& event)
{
    const wxSize size = GetClientSize();
    m_controller.OnSize(ToPixels(size.x), ToPixels(size.y));
    Refresh(false);
    event.Skip();
}

void CKinemorphixView::OnEraseBackground(wxEraseEvent&)
{
    // OpenGL paints the whole client area.
}

void CKinemorphixView::OnMouse(wxMouseEvent& event)
{
    const MouseModifiers modifiers{event.ShiftDown(), event.ControlDown()};
    const int x = ToPixels(event.GetX());
    const int y = ToPixels(event.GetY());
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_MOUSEWHEEL) {
        // Only the vertical wheel zooms; a sideways wheel or touchpad swipe is left alone.
        if (event.GetWheelAxis() == wxMOUSE_WHEEL_VERTICAL)
            m_controller.OnMouseWheel(event.GetWheelRotation(), modifiers);
        else
            event.Skip();
        return;
    }
    if (type == wxEVT_MOTION) {
        m_controller.OnMouseMove(x, y, modifiers);
        return;
    }
    MouseButton button = MouseButton::Left;
    if (event.GetButton() == wxMOUSE_BTN_RIGHT)
        button = MouseButton::Right;
    else if (event.GetButton() == wxMOUSE_BTN_MIDDLE)
        button = MouseButton::Middle;
    if (event.ButtonDown()) {
        SetFocus();
        m_controller.OnButtonDown(button, x, y, modifiers);
    } else if (event.ButtonUp()) {
        m_controller.OnButtonUp(button, x, y, modifiers);
    }
    event.Skip();
}

void CKinemorphixView::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    m_controller.OnCaptureLost();
}

void CKinemorphixView::OnKeyDown(wxKeyEvent& event)
{
    if (event.GetKeyCode() == WXK_SHIFT)
        m_controller.OnShiftKey(true);
    event.Skip();
}

void CKinemorphixView::OnKeyUp(wxKeyEvent& event)
{
    if (event.GetKeyCode() == WXK_SHIFT)
        m_controller.OnShiftKey(false);
    event.Skip();
}
