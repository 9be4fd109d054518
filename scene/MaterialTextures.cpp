// Texture images of materials and their hand-over to OpenGL through the bridge.
#include "scene/CCentigrade.h"
#include "scene/CMaterial.h"
#include "scene/DibStream.h"
#include "scene/GlBridge.h"

namespace {

constexpr std::uint32_t kGlRgb = 0x1907;
constexpr std::uint32_t kGlRgba = 0x1908;

}  // namespace

bool CMaterial::HasTexture() const { return !m_texture.empty() && m_image && !m_image->m_pixels.empty(); }

bool CMaterial::UploadTexture(const std::string& path)
{
    if (!m_image)
        m_image = std::make_shared<DibStream>();
    m_textureUploadPending = false;
    if (!m_image->Load(path))
        return false;
    if (m_image->m_components == 4) {
        m_channels = 4;
        m_pixelFormat = kGlRgba;
    } else {
        m_image->m_components = 3;
        m_channels = 3;
        m_pixelFormat = kGlRgb;
    }
    m_textureUploadPending = true;
    UploadPendingTexture();
    return true;
}

bool CMaterial::UploadPendingTexture()
{
    const GlBridge& gl = GetGlBridge();
    if (!m_textureUploadPending || !m_image || m_image->m_pixels.empty() || !gl.uploadTexture ||
        !GlContextIsCurrent())
        return false;
    const std::uint32_t texture = gl.uploadTexture(*m_image, m_channels, m_pixelFormat);
    m_textureUploadPending = false;
    if (texture == 0)
        return false;
    // Each upload makes a new texture object; the one it replaces is freed.
    const std::uint32_t previous = m_textureId;
    m_textureId = texture;
    if (previous != 0 && previous != texture && gl.deleteTexture)
        gl.deleteTexture(previous);
    return true;
}

void CMaterial::Apply()
{
    if (!GlContextIsCurrent())
        return;
    if (m_textureUploadPending)
        UploadPendingTexture();
    const GlBridge& gl = GetGlBridge();
    if (gl.applyMaterial)
        gl.applyMaterial(*this);
}

void CCentigrade::DeleteTextures()
{
    const GlBridge& gl = GetGlBridge();
    const bool current = GlContextIsCurrent() && gl.deleteTexture;
    for (std::vector<CMaterial>* list : {&m_materials, &m_backgroundMaterials}) {
        for (CMaterial& material : *list) {
            if (current)
                gl.deleteTexture(material.m_textureId);
            material.m_image.reset();
            material.m_textureUploadPending = false;
        }
    }
}

void CCentigrade::UploadPendingTextures()
{
    for (std::vector<CMaterial>* list : {&m_materials, &m_backgroundMaterials})
        for (CMaterial& material : *list)
            material.UploadPendingTexture();
}
