// Photoshop files: the merged image of an RGB file, 8 bits a channel raw or run-length
// encoded, or 16 bits raw (keeping the high byte). Always RGBA: the fourth channel, when the
// file has one, is the alpha, otherwise opaque; channels past the fourth are passed over.
#include "scene/ByteReader.h"
#include "scene/ImageDecoding.h"

#include <algorithm>
#include <cstring>

namespace imagedecoding {

namespace {

// One channel of PackBits runs into every fourth byte of out.
bool ReadPackBits(ByteReader& reader, std::uint8_t* out, std::size_t pixels)
{
    for (std::size_t i = 0; i < pixels;) {
        std::uint8_t code = 0;
        if (!reader.U8(code))
            return false;
        if (code == 128)
            continue;
        const bool run = code > 128;
        const std::size_t n = run ? 257u - code : code + 1u;
        if (n > pixels - i || !reader.Packet(run, n, out + 4 * i, 4))
            return false;
        i += n;
    }
    return true;
}

// Colours stored against white where the pixel is partly transparent are taken back to
// the colour itself (and kept within a byte).
void RemoveWhiteMatte(std::vector<std::uint8_t>& rgba)
{
    for (std::size_t i = 0; i < rgba.size(); i += 4) {
        const std::uint8_t alpha = rgba[i + 3];
        if (alpha == 0 || alpha == 255)
            continue;
        const float ra = 1.0f / (alpha / 255.0f);
        const float matte = 255.0f * (1 - ra);
        for (std::size_t c = 0; c < 3; ++c)
            rgba[i + c] = static_cast<std::uint8_t>(std::clamp(rgba[i + c] * ra + matte, 0.0f, 255.0f));
    }
}

}  // namespace

bool IsPsd(const std::uint8_t* data, std::size_t size) { return size >= 4 && std::memcmp(data, "8BPS", 4) == 0; }

bool DecodePsd(const std::uint8_t* data, std::size_t size, Image& image, std::uint64_t budget)
{
    ByteReader reader(data, size);
    std::uint16_t version = 0, channels = 0, depth = 0, mode = 0, compression = 0;
    std::uint32_t height = 0, width = 0;
    if (!IsPsd(data, size) || !reader.Skip(4) || !reader.U16(version) || version != 1 || !reader.Skip(6) ||
        !reader.U16(channels) || channels > 16 || !reader.U32(height) || !reader.U32(width) || !reader.U16(depth) ||
        !reader.U16(mode) || (depth != 8 && depth != 16) || mode != 3 || !FitsLimits(width, height, 4, 0, budget))
        return false;
    // Colour mode data, image resources, layers and masks.
    for (int section = 0; section < 3; ++section) {
        std::uint32_t length = 0;
        if (!reader.U32(length) || !reader.Skip(length))
            return false;
    }
    if (!reader.U16(compression) || compression > 1 || (compression == 1 && depth != 8))
        return false;
    const std::size_t pixels = std::size_t(width) * height;
    // Run-length data starts with the byte count of every row of every channel.
    if (compression == 1 && !reader.Skip(std::uint64_t(height) * channels * 2))
        return false;
    // Every channel read needs a sample a pixel, or, run-length encoded, at least two bytes
    // for every 128 pixels of a row: a file without them is refused before its image is made.
    const std::size_t sampleBytes = depth / 8u;
    const std::uint64_t leastBytes = std::min<std::uint64_t>(channels, 4) *
                                     (compression == 1 ? std::uint64_t(height) * ((width + 127) / 128) * 2
                                                       : std::uint64_t(pixels) * sampleBytes);
    if (reader.Left() < leastBytes)
        return false;
    Image result = Image::Blank(width, height, 4);
    for (std::size_t channel = 0; channel < 4; ++channel) {
        std::uint8_t* out = result.pixels.data() + channel;
        if (channel >= channels) {
            for (std::size_t i = 0; i < pixels; ++i)
                out[4 * i] = channel == 3 ? 255 : 0;
        } else if (compression == 1) {
            if (!ReadPackBits(reader, out, pixels))
                return false;
        } else {
            if (reader.Left() / sampleBytes < pixels)
                return false;
            for (std::size_t i = 0; i < pixels; ++i)
                out[4 * i] = reader.Here()[i * sampleBytes];
            reader.Skip(pixels * sampleBytes);
        }
    }
    if (channels >= 4)
        RemoveWhiteMatte(result.pixels);
    image = std::move(result);
    return true;
}

}  // namespace imagedecoding
