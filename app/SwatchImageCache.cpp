#include "app/SwatchImageCache.h"

#include "app/PaneImages.h"

#include <wx/imaglist.h>

SwatchImageCache::SwatchImageCache(wxImageList& images, const wxSize& cell) : m_images(images), m_cell(cell) {}

int SwatchImageCache::ImageOf(const std::array<unsigned char, 3>& rgb)
{
    const std::uint32_t key = std::uint32_t(rgb[0]) << 16 | std::uint32_t(rgb[1]) << 8 | rgb[2];
    if (const auto found = m_index.find(key); found != m_index.end())
        return found->second;
    if (m_index.size() >= kCapacity) {
        m_images.RemoveAll();
        m_index.clear();
    }
    const int image = m_images.Add(MaterialSwatch(rgb, m_cell));
    m_index.emplace(key, image);
    return image;
}
