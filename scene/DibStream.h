// A decoded texture image: 8-bit channels, rows top first, no padding.
#pragma once

#include "scene/ImageDecoding.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class DibStream {
public:
    // Decodes the image file at a CP932 path: PNG, JPEG, BMP, TGA, PSD, GIF, HDR, PIC or
    // PNM. Grey and grey with alpha images are expanded to three channels (RGB). False,
    // with no pixels, when the path is no regular file, cannot be read or decoded, or the
    // image is larger than 16,384 pixels a side, 256 MB of pixels or the budget (bytes).
    bool Load(const std::string& path, std::uint64_t budget = imagedecoding::kPixelBudget);
    // The same for the bytes of an image file.
    bool Decode(const std::uint8_t* data, std::size_t size, std::uint64_t budget = imagedecoding::kPixelBudget);

    std::vector<std::uint8_t> m_pixels;  // empty when nothing was decoded
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    std::int32_t m_components = 0;  // channels per pixel: 3 or 4
    // The texture object made from these pixels, shared by every material that shows them;
    // 0 until the first of them is uploaded.
    std::uint32_t m_textureId = 0;
};
