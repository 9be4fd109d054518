#include "viewport/OpenGLSetup.h"

#include "platform/Messages.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "viewport/GizmoTables.h"
#include "viewport/OpenGlBridge.h"
#include "viewport/RenderSurface.h"

#include <GL/gl.h>

namespace {

void Vertex(const CVector& v)
{
    glVertex3f(v.m_x, v.m_y, v.m_z);
}

template <std::size_t N, std::size_t M>
void Triangles(const std::array<CVector, N>& points, const std::array<std::int32_t, M>& indices, int base)
{
    glBegin(GL_TRIANGLES);
    for (std::int32_t i : indices)
        Vertex(points[base + i]);
    glEnd();
}

// Lists 4, 5 and 6: a shape per axis in red, green and blue, the yellow centre cube, then grey
// lines from the origin to the axis ends.
template <typename DrawAxisShape>
void CompileGizmoList(unsigned list, DrawAxisShape drawAxisShape)
{
    static constexpr float kAxisColors[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    glNewList(list, GL_COMPILE);
    glNormal3f(0, 0, 1);
    for (int axis = 0; axis < 3; ++axis) {
        glColor3fv(kAxisColors[axis]);
        drawAxisShape(axis);
    }
    glColor3f(1, 1, 0);
    Triangles(g_handleBoxVertices, BoxTriangleIndices, 8 * 3);
    glColor3f(0.5f, 0.5f, 0.5f);
    glBegin(GL_LINES);
    for (int axis = 0; axis < 3; ++axis) {
        glVertex3f(0, 0, 0);
        Vertex(g_arrowVertices[5 * axis + 4]);
    }
    glEnd();
    glEndList();
}

}  // namespace

void AttachRenderSurface(void* window, IRenderSurface* surface, void* context)
{
    g_scene.m_hWnd = window;
    g_scene.m_hDC = surface;
    g_scene.m_hGLRC = context;
    // Texture uploads and material state from the core go to this surface's context.
    InstallOpenGlBridge([] {
        IRenderSurface* attached = AttachedRenderSurface();
        return attached && attached->MakeCurrent();
    });
}

IRenderSurface* AttachedRenderSurface()
{
    return static_cast<IRenderSurface*>(g_scene.m_hDC);
}

void CompileAxesGridList()
{
    glNewList(DisplayListAxesGrid, GL_COMPILE);
    glBegin(GL_LINES);
    glNormal3f(0, 0, 1);
    glColor3f(1, 0, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(600, 0, 0);
    glColor3f(0, 1, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(0, 600, 0);
    glColor3f(0, 0, 1);
    glVertex3f(0, 0, 0);
    glVertex3f(0, 0, 600);
    glColor3f(91.0f / 255.0f, 105.0f / 255.0f, 91.0f / 255.0f);
    glVertex3f(-500, 0, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(0, 0, -500);
    glVertex3f(0, 0, 0);
    for (int v = -500; v <= 500; v += 50) {
        if (v == 0)
            continue;
        glVertex3f(static_cast<float>(v), 0, -500);
        glVertex3f(static_cast<float>(v), 0, 500);
    }
    for (int v = -500; v <= 500; v += 50) {
        if (v == 0)
            continue;
        glVertex3f(-500, 0, static_cast<float>(v));
        glVertex3f(500, 0, static_cast<float>(v));
    }
    glEnd();
    glEndList();
}

void CompileBoneJointList()
{
    glNewList(DisplayListBoneJoint, GL_COMPILE);
    glNormal3f(0, 0, 1);
    glBegin(GL_LINES);
    for (std::int32_t i : JointEdgeIndices)
        Vertex(g_boneGlyphVertices[i]);
    glEnd();
    glEndList();
}

void CompileTranslateGizmoList()
{
    CompileGizmoList(DisplayListTranslateGizmo, [](int axis) {
        Triangles(g_arrowVertices, ArrowTriangleIndices, 5 * axis);
    });
}

void CompileRotateGizmoList()
{
    CompileGizmoList(DisplayListRotateGizmo, [](int axis) {
        Triangles(g_ringVertices, RingTriangleIndices, 24 * axis);
    });
}

void CompileScaleGizmoList()
{
    CompileGizmoList(DisplayListScaleGizmo, [](int axis) {
        Triangles(g_handleBoxVertices, BoxTriangleIndices, 8 * axis);
    });
}

void InitializeOpenGLState()
{
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    // Front faces are culled: the model file's faces wind the other way, and the face pass
    // negates the corner normals to match.
    glCullFace(GL_FRONT);
    glEnable(GL_NORMALIZE);
    glEnable(GL_LIGHT0);
    glEnable(GL_BLEND);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1, 1);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPointSize(5);
    glLineWidth(1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    g_scene.SetBackgroundColor(g_scene.m_backgroundColor);
    CompileAxesGridList();
    CompileBoneJointList();
    CompileTranslateGizmoList();
    CompileRotateGizmoList();
    CompileScaleGizmoList();
}

int SetupOpenGL(void* window, IRenderSurface* surface, void* context)
{
    AttachRenderSurface(window, surface, context);
    if (!surface || !surface->MakeCurrent()) {
        ShowMessage("wglMakeCurrent::Error", MessageButtons::Ok);
        return -1;
    }
    InitializeOpenGLState();
    return 0;
}

void ReleaseOpenGL()
{
    IRenderSurface* surface = AttachedRenderSurface();
    if (surface)
        surface->MakeCurrent();
    g_scene.DeleteTextures();
    if (!g_scene.m_hGLRC)
        ShowMessage("Release HGLRC Failed....", MessageButtons::Ok);
    if (!g_scene.m_hDC)
        ShowMessage("Release HDC Failed....", MessageButtons::Ok);
    // The window, its surface and its context are gone after this: forget them, so that a late
    // redraw draws nothing instead of using a dead surface.
    AttachRenderSurface(nullptr, nullptr, nullptr);
}
