// The 3D view window: a wxGLCanvas that owns the one rendering context, has the scene drawn
// and passes its mouse and keyboard events to the view controller in physical pixels.
#pragma once

#include "viewport/PaneDirectory.h"
#include "viewport/RenderSurface.h"
#include "viewport/ViewController.h"

#include <wx/glcanvas.h>

#include <functional>
#include <memory>
#include <vector>

// A frame read back from the canvas just before it was presented: rows top first, RGB.
struct CapturedFrame {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

class CKinemorphixView : public wxGLCanvas, public ISceneViewPane {
public:
    // Creates the view: resets the scene, chooses the pixel format and creates the context.
    // On failure shows the reason ("ChoosePixelFormat::Error", "SetPixelFormat::Error",
    // "wglCreateContext::Error") and returns null. The GL state itself is set up the first
    // time the context can be made current, once the window is shown.
    static CKinemorphixView* CreateView(wxWindow* parent, wxWindowID id = wxID_ANY);
    ~CKinemorphixView() override;

    // Called when a drag changes the scene (the document's modified flag).
    void SetModifiedHandler(std::function<void()> handler) { m_onModified = std::move(handler); }
    // The next frame drawn is read back and handed to the callback before it is presented.
    void CaptureNextFrame(std::function<void(const CapturedFrame&)> callback);

    void InvalidateView() override { Refresh(false); }

    CViewController& Controller() { return m_controller; }

private:
    CKinemorphixView(wxWindow* parent, const wxGLAttributes& attributes, wxWindowID id);

    // The rendering context as the scene's render surface.
    class Surface : public IRenderSurface {
    public:
        explicit Surface(CKinemorphixView& view) : m_view(view) {}
        bool MakeCurrent() override;
        void SwapBuffers() override;

    private:
        CKinemorphixView& m_view;
    };

    // The window as the controller sees it.
    class Window : public IViewWindow {
    public:
        explicit Window(CKinemorphixView& view) : m_view(view) {}
        void CaptureMouse() override;
        void ReleaseMouse() override;
        void Invalidate() override { m_view.Refresh(false); }
        void Render() override;
        bool Pick(int x, int y) override;
        void SetModified() override;

    private:
        CKinemorphixView& m_view;
    };

    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnEraseBackground(wxEraseEvent& event);
    void OnMouse(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnKeyUp(wxKeyEvent& event);
    int ToPixels(int logical) const;

    std::unique_ptr<wxGLContext> m_context;
    Surface m_surface{*this};
    Window m_window{*this};
    CViewController m_controller{m_window};
    std::function<void()> m_onModified;
    std::function<void(const CapturedFrame&)> m_capture;
    bool m_glInitialized = false;
    bool m_makeCurrentFailed = false;

    wxDECLARE_EVENT_TABLE();
};
