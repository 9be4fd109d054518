#include "viewport/MaterialGl.h"

#include "scene/CMaterial.h"

#include <GL/gl.h>

void ApplyMaterialGl(const CMaterial& material)
{
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, material.m_glDiffuse.data());
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, material.m_glAmbient.data());
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, material.m_glSpecular.data());
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, material.m_glEmission.data());
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, material.m_power);
    if (material.m_texture.empty()) {
        glDisable(GL_TEXTURE_2D);
    } else {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, material.m_textureId);
    }
}
