#include "viewport/OpenGlBridge.h"

#include "scene/CMaterial.h"
#include "scene/DibStream.h"
#include "scene/GlBridge.h"

#include <GL/gl.h>

namespace {

std::uint32_t UploadTexture(const DibStream& image, std::int32_t channels, std::uint32_t pixelFormat)
{
    const std::size_t needed = static_cast<std::size_t>(image.m_width) * static_cast<std::size_t>(image.m_height) *
                               static_cast<std::size_t>(channels);
    if (image.m_width <= 0 || image.m_height <= 0 || (channels != 3 && channels != 4) ||
        image.m_pixels.size() < needed)
        return 0;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexImage2D(GL_TEXTURE_2D, 0, channels, image.m_width, image.m_height, 0, pixelFormat, GL_UNSIGNED_BYTE,
                 image.m_pixels.data());
    glEnable(GL_TEXTURE_2D);
    return texture;
}

void DeleteTexture(std::uint32_t texture)
{
    const GLuint name = texture;
    glDeleteTextures(1, &name);
}

void ApplyMaterial(const CMaterial& material)
{
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, material.m_glDiffuse.data());
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, material.m_glAmbient.data());
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, material.m_glSpecular.data());
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, material.m_glEmission.data());
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, material.m_power);
    // A texture that could not be loaded keeps its name but is drawn untextured.
    if (material.HasTexture() && material.m_textureId != 0) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, material.m_textureId);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
}

}  // namespace

void InstallOpenGlBridge(std::function<bool()> contextIsCurrent)
{
    GlBridge bridge;
    bridge.isContextCurrent = std::move(contextIsCurrent);
    bridge.uploadTexture = UploadTexture;
    bridge.deleteTexture = DeleteTexture;
    bridge.applyMaterial = ApplyMaterial;
    SetGlBridge(std::move(bridge));
}
