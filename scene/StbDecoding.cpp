// BMP, TGA and GIF through stb_image, compiled here with only those decoders (the other
// formats have decoders that are safer with damaged files) and every function private to
// this file.
#include "scene/ImageDecoding.h"

#include <climits>
#include <cstring>
#include <memory>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_NO_PNG
#define STBI_NO_JPEG
#define STBI_NO_PNM
#define STBI_NO_HDR
#define STBI_NO_PSD
#define STBI_NO_PIC
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_FAILURE_STRINGS
#define STBI_MAX_DIMENSIONS 16384
#include <stb_image.h>

namespace imagedecoding {

namespace {

bool StartsWith(const std::uint8_t* data, std::size_t size, const char* text)
{
    const std::size_t n = std::strlen(text);
    return size >= n && std::memcmp(data, text, n) == 0;
}

// Bytes stb_image holds beside the pixels while it decodes, per byte of them: a GIF keeps
// three frames of 4 bytes a pixel.
std::uint64_t StbScratch(const stbi_uc* data, std::size_t size) { return StartsWith(data, size, "GIF8") ? 3 : 0; }

// The most pixels one byte of a file can stand for: a run-length packet of a TGA holds at
// most 128 pixels, a GIF code at most 4096; a BMP stores every pixel. A file too small for
// the image it declares is damaged and not decoded (stb_image would spend its time filling
// the image with what it finds past the end).
std::uint64_t MostPixelsPerByte(const stbi_uc* data, std::size_t size)
{
    return StartsWith(data, size, "GIF8") ? 4096 : 128;
}

}  // namespace

bool DecodeWithStb(const std::uint8_t* data, std::size_t size, Image& image, std::uint64_t budget)
{
    if (size > static_cast<std::size_t>(INT_MAX))
        return false;
    const int length = static_cast<int>(size);
    int width = 0, height = 0, components = 0;
    if (!stbi_info_from_memory(data, length, &width, &height, &components) || width <= 0 || height <= 0 ||
        components < 1 || components > 4)
        return false;
    const int channels = components == 4 ? 4 : 3;
    if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > MostPixelsPerByte(data, size) * size ||
        !FitsLimits(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height),
                    static_cast<std::uint64_t>(channels), StbScratch(data, size), budget))
        return false;
    // Decoded in the file's own channel count (stb_image's conversions are left out).
    int w = 0, h = 0, n = 0;
    std::unique_ptr<stbi_uc, void (*)(void*)> decoded(stbi_load_from_memory(data, length, &w, &h, &n, 0),
                                                      stbi_image_free);
    if (!decoded || w != width || h != height || n != components)
        return false;
    const std::size_t pixels = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
    const stbi_uc* source = decoded.get();
    Image result;
    if (n >= 3) {
        result.pixels.assign(source, source + pixels * static_cast<std::size_t>(n));
    } else {
        // Grey (and grey with alpha): the grey value in all three channels, alpha dropped.
        result.pixels.resize(pixels * 3);
        for (std::size_t i = 0; i < pixels; ++i)
            std::memset(result.pixels.data() + 3 * i, source[i * static_cast<std::size_t>(n)], 3);
    }
    result.width = w;
    result.height = h;
    result.channels = channels;
    image = std::move(result);
    return true;
}

}  // namespace imagedecoding
