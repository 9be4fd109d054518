#include "glsupport/OffscreenView.h"

#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "viewport/OpenGLSetup.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdlib>

OffscreenView::OffscreenView(int width, int height) : m_context(width, height)
{
    g_scene.ResetScene();
    g_scene.m_materialMaps.clear();
    g_scene.m_viewWidth = static_cast<float>(width);
    g_scene.m_viewHeight = static_cast<float>(height);
    g_scene.m_editMode = EditModeVertexSelect;
    g_scene.m_showVertices = g_scene.m_showEdges = g_scene.m_showFaces = true;
    g_scene.m_showBones = g_scene.m_showGrid = true;
    g_scene.m_followBone = false;
    g_scene.m_activeHandle = -1;
    g_scene.m_selectionRect = {0, 0, 0, 0};
    g_scene.m_axisEnabled = {true, true, true};
    g_scene.m_lineColor = MakeRgb(229, 127, 178);
    g_scene.m_selectedLineColor = MakeRgb(127, 229, 178);
    g_scene.m_boneColor = MakeRgb(255, 255, 0);
    g_scene.m_selectedBoneColor = MakeRgb(255, 0, 0);
    g_scene.m_selectColor = MakeRgb(77, 191, 217);
    g_currentFrame = 0;
    g_lastFrame = 100;
    g_previousLastFrame = 100;
    g_currentAnimation = 0;
    g_editFrame = 0;
    m_ok = m_context.ok() && SetupOpenGL(nullptr, this, &m_context) == 0;
}

OffscreenView::~OffscreenView()
{
    if (m_ok)
        ReleaseOpenGL();
}

Rgb OffscreenView::Pixel(int x, int y) const
{
    unsigned char rgba[4] = {};
    glReadPixels(x, height() - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

bool OffscreenView::ColourNear(int x, int y, Rgb colour, int radius, int tolerance) const
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const Rgb p = Pixel(x + dx, y + dy);
            if (std::abs(p.r - colour.r) <= tolerance && std::abs(p.g - colour.g) <= tolerance &&
                std::abs(p.b - colour.b) <= tolerance)
                return true;
        }
    return false;
}

std::array<double, 2> OffscreenView::Project(double x, double y, double z, const float* model) const
{
    // The camera as the render pass sets it up, read back from GL.
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    g_scene.SetupCamera();
    if (model)
        glMultMatrixf(model);
    GLdouble modelView[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    glPopMatrix();
    GLdouble wx = 0, wy = 0, wz = 0;
    gluProject(x, y, z, modelView, projection, viewport, &wx, &wy, &wz);
    return {wx, height() - wy};
}
