// Texture images of materials and their hand-over to OpenGL through the bridge. Materials
// that show the same image share its texture object.
#include "scene/CCentigrade.h"
#include "scene/CMaterial.h"
#include "scene/DibStream.h"
#include "scene/DibStreamCache.h"
#include "scene/GlBridge.h"
#include "scene/Globals.h"

#include <utility>

namespace {

constexpr std::uint32_t kGlRgb = 0x1907;
constexpr std::uint32_t kGlRgba = 0x1908;

// Some material of the scene shows an image whose texture object this is.
bool SceneShowsTexture(std::uint32_t texture)
{
    for (const std::vector<CMaterial>* list : {&g_scene.m_materials, &g_scene.m_backgroundMaterials})
        for (const CMaterial& material : *list)
            if (material.m_image && material.m_image->m_textureId == texture)
                return true;
    return false;
}

}  // namespace

bool CMaterial::HasTexture() const { return !m_texture.empty() && m_image && !m_image->m_pixels.empty(); }

bool CMaterial::UploadTexture(const std::string& path, const DibStream* replaced)
{
    m_textureUploadPending = false;
    std::shared_ptr<DibStream> image = DibStreamCache::Load(path, replaced);
    if (!image)
        return false;
    m_image = std::move(image);
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
    m_textureUploadPending = false;
    // The first material to show an image makes its texture object; the others take it.
    if (m_image->m_textureId == 0)
        m_image->m_textureId = gl.uploadTexture(*m_image, m_channels, m_pixelFormat);
    if (m_image->m_textureId == 0)
        return false;
    // The texture object of the image this one replaces is freed once no material shows it.
    const std::uint32_t previous = std::exchange(m_textureId, m_image->m_textureId);
    if (previous != 0 && previous != m_textureId && gl.deleteTexture && !SceneShowsTexture(previous))
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
            if (current) {
                gl.deleteTexture(material.m_textureId);
                // An image not yet taken by this material may hold another texture object.
                if (material.m_image && material.m_image->m_textureId != 0 &&
                    material.m_image->m_textureId != material.m_textureId)
                    gl.deleteTexture(material.m_image->m_textureId);
            }
            if (material.m_image)
                material.m_image->m_textureId = 0;
            material.m_image.reset();
            material.m_textureUploadPending = false;
        }
    }
    DibStreamCache::Clear();
}

void CCentigrade::UploadPendingTextures()
{
    for (std::vector<CMaterial>* list : {&m_materials, &m_backgroundMaterials})
        for (CMaterial& material : *list)
            material.UploadPendingTexture();
}
