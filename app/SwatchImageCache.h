// The material list's colour swatches, made only for the colours of rows being drawn: each
// distinct colour gets one image in the list's image list when a row of that colour is first
// drawn. A list of a million materials thus never holds a million images: once the cache
// holds kCapacity colours and another is asked for, it starts again from empty (rows are
// drawn one after the other, each with the image it has just been given).
#pragma once

#include <wx/gdicmn.h>

#include <array>
#include <cstdint>
#include <unordered_map>

class wxImageList;

class SwatchImageCache {
public:
    static constexpr std::size_t kCapacity = 256;

    // `images` belongs to the list and outlives the cache; its images are `cell` pixels.
    SwatchImageCache(wxImageList& images, const wxSize& cell);

    // The index of the swatch of a colour in the image list.
    int ImageOf(const std::array<unsigned char, 3>& rgb);
    // How many swatches the image list holds now.
    std::size_t Count() const { return m_index.size(); }

private:
    wxImageList& m_images;
    wxSize m_cell;
    std::unordered_map<std::uint32_t, int> m_index;  // 0xRRGGBB -> image
};
