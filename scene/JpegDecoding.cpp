// JPEG through libjpeg. libjpeg reports errors by longjmp (from OnError) to the setjmp in
// ReadJpeg, so that function keeps no objects that need destroying, and everything a read
// changes lives outside its frame.
#include "scene/ImageDecoding.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>

namespace imagedecoding {

namespace {

// Progressive files may hold any number of scans, each a pass over the whole image: more
// than this is no photograph but an attempt to keep the decoder busy.
constexpr int kMaxScans = 500;

struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    bool pixelsRead;  // every row is decoded; only the end of the file is still read
};

[[noreturn]] void OnError(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1); }
// Warnings about damaged data that still decodes are not shown. Data that ends before the
// image does is an error: libjpeg would fill the rest of the image in grey.
void OnMessage(j_common_ptr info, int level)
{
    const JpegErrors* errors = reinterpret_cast<const JpegErrors*>(info->err);
    const int code = errors->manager.msg_code;
    if (level < 0 && (code == JWRN_HIT_MARKER || (code == JWRN_JPEG_EOF && !errors->pixelsRead)))
        OnError(info);
}
void OnProgress(j_common_ptr info)
{
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans)
        OnError(info);
}

// Adobe's CMYK (and YCCK, which libjpeg turns into it) is stored inverted: the colour is
// the ink's complement scaled by the black's.
void CmykToRgb(const std::uint8_t* cmyk, std::uint8_t* rgb, std::size_t pixels)
{
    for (std::size_t i = 0; i < pixels; ++i) {
        const unsigned k = cmyk[4 * i + 3];
        for (int c = 0; c < 3; ++c)
            rgb[3 * i + c] = static_cast<std::uint8_t>((cmyk[4 * i + c] * k + 127) / 255);
    }
}

bool ReadJpeg(jpeg_decompress_struct* info, jpeg_progress_mgr* progress, const std::uint8_t* data, std::size_t size,
              std::uint64_t budget, Image* image, std::vector<std::uint8_t>* cmykRow)
{
    if (setjmp(reinterpret_cast<JpegErrors*>(info->err)->jump))
        return false;
    jpeg_create_decompress(info);
    info->progress = progress;
    jpeg_mem_src(info, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(info, TRUE) != JPEG_HEADER_OK)
        return false;
    const bool cmyk = info->jpeg_color_space == JCS_CMYK || info->jpeg_color_space == JCS_YCCK;
    if (info->num_components != 1 && info->num_components != 3 && !(cmyk && info->num_components == 4))
        return false;
    if (!FitsLimits(info->image_width, info->image_height, 3, 0, budget))
        return false;
    info->out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    // A progressive file holds its coefficients (2 bytes each) for the whole image.
    info->mem->max_memory_to_use = static_cast<long>(3 * std::min(budget, kPixelBudget));
    jpeg_start_decompress(info);
    const std::size_t width = info->output_width;
    const std::size_t height = info->output_height;
    const std::size_t channels = static_cast<std::size_t>(info->output_components);
    if (channels != (cmyk ? 4u : 3u) || !FitsLimits(width, height, 3, 0, budget))
        return false;
    // The rows are taken into use as they are decoded, so that a file whose data ends early
    // never fills the whole image.
    try {
        image->pixels.reserve(width * height * 3);
        cmykRow->resize(cmyk ? width * 4 : 0);
    } catch (const std::exception&) {
        return false;
    }
    while (info->output_scanline < height) {
        image->pixels.resize(image->pixels.size() + width * 3);  // within the reserved room
        std::uint8_t* row = image->pixels.data() + std::size_t(info->output_scanline) * width * 3;
        JSAMPROW target = cmyk ? cmykRow->data() : row;
        if (jpeg_read_scanlines(info, &target, 1) != 1)
            return false;
        if (cmyk)
            CmykToRgb(cmykRow->data(), row, width);
    }
    reinterpret_cast<JpegErrors*>(info->err)->pixelsRead = true;
    jpeg_finish_decompress(info);
    image->width = static_cast<std::int32_t>(width);
    image->height = static_cast<std::int32_t>(height);
    image->channels = 3;
    return true;
}

}  // namespace

bool DecodeJpeg(const std::uint8_t* data, std::size_t size, Image& image, std::uint64_t budget)
{
    jpeg_decompress_struct info {};
    JpegErrors errors {};
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = OnError;
    errors.manager.emit_message = OnMessage;
    jpeg_progress_mgr progress {};
    progress.progress_monitor = OnProgress;
    Image decoded;
    std::vector<std::uint8_t> cmykRow;
    const bool ok = ReadJpeg(&info, &progress, data, size, budget, &decoded, &cmykRow);
    jpeg_destroy_decompress(&info);
    if (!ok)
        return false;
    image = std::move(decoded);
    return true;
}

}  // namespace imagedecoding
