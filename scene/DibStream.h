// A decoded texture image: 8-bit channels, rows top first, no padding.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class DibStream {
public:
    // Decodes the image file at a CP932 path (any format stb_image reads). Grey and grey
    // with alpha images are expanded to three channels (RGB). False, with no pixels, when
    // the file cannot be opened or decoded.
    bool Load(const std::string& path);

    std::vector<std::uint8_t> m_pixels;  // empty when nothing was decoded
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    std::int32_t m_components = 0;  // channels per pixel: 3 or 4
};
