#include "viewport/CameraTransform.h"

#include "scene/CCentigrade.h"

#include <GL/gl.h>

bool HasViewArea(const CCentigrade& scene)
{
    return scene.m_viewWidth >= 1.0f && scene.m_viewHeight >= 1.0f;
}

float ClampedZoom(CCentigrade& scene)
{
    if (!(scene.m_zoom >= 1.0f))
        scene.m_zoom = 1.0f;
    return scene.m_zoom;
}

void RotateXyzGl(const CVector& angles)
{
    glRotatef(angles.m_x, 1, 0, 0);
    glRotatef(angles.m_y, 0, 1, 0);
    glRotatef(angles.m_z, 0, 0, 1);
}

void MultiplyCameraGl(const CCentigrade& scene, float zoom)
{
    const CVector& pan = scene.m_camera.m_translate;
    glTranslatef(pan.m_x, pan.m_y, pan.m_z);
    RotateXyzGl(scene.m_camera.m_rotate);
    const float scale = zoom / 100.0f;
    glScalef(scale, scale, scale);
    const CVector& follow = scene.m_followOffset;
    glTranslatef(follow.m_x, follow.m_y, follow.m_z);
}
