// PNG through libpng. libpng reports errors by longjmp to the setjmp in ReadPng, so that
// function and the read callback keep no objects that need destroying, and everything a
// read changes lives outside ReadPng's frame.
#include "scene/ImageDecoding.h"

#include <csetjmp>
#include <cstring>
#include <png.h>

namespace imagedecoding {

namespace {

struct PngSource {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position;
};

struct PngRead {
    std::uint64_t budget;
    Image image;
    std::vector<png_bytep> rows;
};

void ReadBytes(png_structp png, png_bytep out, png_size_t count)
{
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (count > source->size - source->position)
        png_error(png, "end of data");
    std::memcpy(out, source->data + source->position, count);
    source->position += count;
}

// Errors end the read at the setjmp in ReadPng; neither they nor warnings are printed.
[[noreturn]] void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

// The rows go into read->image; false when libpng found an error or the image is too large.
bool ReadPng(png_structp png, png_infop info, PngRead* read)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_user_limits(png, kMaxSide, kMaxSide);
    // Damaged checksums do not stop the decode; damaged data still does.
    png_set_crc_action(png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    const int colorType = png_get_color_type(png, info);
    const bool hasAlpha = (colorType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    const bool hasColor = (colorType & PNG_COLOR_MASK_COLOR) != 0;
    const int channels = hasColor && hasAlpha ? 4 : 3;
    if (!FitsLimits(width, height, static_cast<std::uint64_t>(channels), 0, read->budget))
        return false;
    // Palettes, small grey depths and transparency keys expand; 16 bits keep their high
    // byte; grey becomes RGB without its alpha.
    png_set_expand(png);
    png_set_strip_16(png);
    if (!hasColor) {
        if (hasAlpha)
            png_set_strip_alpha(png);
        png_set_gray_to_rgb(png);
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    if (png_get_channels(png, info) != channels || rowBytes != std::size_t(width) * std::size_t(channels))
        return false;
    try {
        read->image.pixels.resize(rowBytes * height);
        read->rows.resize(height);
    } catch (const std::exception&) {
        return false;
    }
    for (png_uint_32 y = 0; y < height; ++y)
        read->rows[y] = read->image.pixels.data() + std::size_t(y) * rowBytes;
    // What follows the image data (text, the end chunk) is not needed: a file cut short
    // after its last row still loads.
    png_read_image(png, read->rows.data());
    read->image.width = static_cast<std::int32_t>(width);
    read->image.height = static_cast<std::int32_t>(height);
    read->image.channels = channels;
    return true;
}

}  // namespace

bool DecodePng(const std::uint8_t* data, std::size_t size, Image& image, std::uint64_t budget)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    PngSource source{data, size, 0};
    png_set_read_fn(png, &source, ReadBytes);
    PngRead read{budget, {}, {}};
    const bool ok = ReadPng(png, info, &read);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!ok)
        return false;
    image = std::move(read.image);
    return true;
}

}  // namespace imagedecoding
