#include "viewport/BoneShape.h"

#include "scene/CBone.h"

#include <GL/gl.h>

void PushBoneHeadMatrix(const CBone& bone)
{
    glPushMatrix();
    glMultMatrixf(bone.m_matrix.data());
    glTranslatef(bone.m_head.m_x, bone.m_head.m_y, bone.m_head.m_z);
}

void DrawBoneLine(const CBone& bone)
{
    glBegin(GL_LINES);
    glVertex3f(0, 0, 0);
    glVertex3f(bone.m_tail.m_x - bone.m_head.m_x, bone.m_tail.m_y - bone.m_head.m_y,
               bone.m_tail.m_z - bone.m_head.m_z);
    glEnd();
}
