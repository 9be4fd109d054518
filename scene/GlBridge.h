// What the core asks of OpenGL, as callbacks the viewport installs. The core itself never
// calls OpenGL: with no bridge installed, or while the bridge says no rendering context is
// current, texture uploads wait (CMaterial::m_textureUploadPending) and drawing calls do
// nothing.
#pragma once

#include <cstdint>
#include <functional>

class CMaterial;
class DibStream;

struct GlBridge {
    // True while a rendering context is current.
    std::function<bool()> isContextCurrent;
    // Creates a texture object from the image (channels 3 or 4, format GL_RGB or GL_RGBA)
    // and returns its name; 0 when nothing was made.
    std::function<std::uint32_t(const DibStream& image, std::int32_t channels, std::uint32_t pixelFormat)>
        uploadTexture;
    // Deletes a texture object (0 and unknown names are ignored).
    std::function<void(std::uint32_t texture)> deleteTexture;
    // Makes the material's colours, shininess and texture current.
    std::function<void(const CMaterial& material)> applyMaterial;
};

// Installs the bridge (an empty one removes it).
void SetGlBridge(GlBridge bridge);
const GlBridge& GetGlBridge();
// A bridge is installed and its rendering context is current.
bool GlContextIsCurrent();
