// A decoded texture image: 8-bit channels, rows top first, no padding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class DibStream {
public:
    // Decodes the image file at a CP932 path: PNG, JPEG, BMP, TGA, PSD, GIF, HDR, PIC or
    // PNM. Grey and grey with alpha images are expanded to three channels (RGB). False,
    // with no pixels, when the path is no regular file, cannot be read or decoded, or the
    // image is larger than 16,384 pixels a side or 256 MB of pixels.
    bool Load(const std::string& path);
    // The same for the bytes of an image file.
    bool Decode(const std::uint8_t* data, std::size_t size);

    std::vector<std::uint8_t> m_pixels;  // empty when nothing was decoded
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    std::int32_t m_components = 0;  // channels per pixel: 3 or 4
};
