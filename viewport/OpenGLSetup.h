// The 3D view's rendering context: attaching the window's surface to the scene, the fixed
// OpenGL state every pass relies on, the display lists of the grid, the joint glyph and the
// gizmos, and the release at the end.
#pragma once

class IRenderSurface;

// Stores the view's window, surface and context in the scene (m_hWnd, m_hDC, m_hGLRC). The
// surface must outlive the attachment; ReleaseOpenGL detaches it.
void AttachRenderSurface(void* window, IRenderSurface* surface, void* context);
// The surface attached to the scene, or null.
IRenderSurface* AttachedRenderSurface();

// Fixed state, clear colour and display lists 1, 2, 4, 5, 6. Needs a current context; a
// surface calls it the first time its context becomes current.
void InitializeOpenGLState();

// Attaches the surface, makes its context current ("wglMakeCurrent::Error" when that fails,
// result -1) and initialises the state. 0 on success. For hosts whose context is ready at once.
int SetupOpenGL(void* window, IRenderSurface* surface, void* context);

// Frees every texture while the context is still current, then detaches the surface. Reports
// a missing context or surface as the release messages.
void ReleaseOpenGL();

// The list compilers; SetupOpenGL's state initialisation calls all of them.
void CompileAxesGridList();
void CompileBoneJointList();
void CompileTranslateGizmoList();
void CompileRotateGizmoList();
void CompileScaleGizmoList();
