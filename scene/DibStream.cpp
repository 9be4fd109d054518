#include "scene/DibStream.h"

#include "platform/FileSystem.h"

#include <memory>
#include <stb_image.h>

bool DibStream::Load(const std::string& path)
{
    m_pixels.clear();
    m_width = m_height = m_components = 0;
    std::FILE* file = fs_cp932::Open(path, "rb");
    if (!file)
        return false;
    int width = 0, height = 0, components = 0;
    std::unique_ptr<stbi_uc, void (*)(void*)> decoded(stbi_load_from_file(file, &width, &height, &components, 0),
                                                      stbi_image_free);
    std::fclose(file);
    if (!decoded || width <= 0 || height <= 0 || components < 1 || components > 4)
        return false;
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    const stbi_uc* source = decoded.get();
    if (components >= 3) {
        m_pixels.assign(source, source + pixels * static_cast<std::size_t>(components));
    } else {
        // Grey (and grey with alpha): the grey value in all three channels, alpha dropped.
        m_pixels.resize(pixels * 3);
        for (std::size_t i = 0; i < pixels; ++i) {
            const stbi_uc grey = source[i * static_cast<std::size_t>(components)];
            m_pixels[i * 3] = m_pixels[i * 3 + 1] = m_pixels[i * 3 + 2] = grey;
        }
        components = 3;
    }
    m_width = width;
    m_height = height;
    m_components = components;
    return true;
}
