// Radiance RGBE images ("-Y height +X width" only), flat or with run-length scanlines, turned
// into 8 bits a channel by a gamma of 2.2.
#include "scene/ByteReader.h"
#include "scene/ImageDecoding.h"

#include <cmath>
#include <cstring>
#include <string_view>

namespace imagedecoding {

namespace {

// The next header line without its '\n'; false at the end of the data.
bool ReadLine(ByteReader& reader, std::string_view& line)
{
    const auto* begin = reinterpret_cast<const char*>(reader.Here());
    const void* end = std::memchr(begin, '\n', reader.Left());
    if (!end)
        return false;
    line = std::string_view(begin, static_cast<std::size_t>(static_cast<const char*>(end) - begin));
    return reader.Skip(line.size() + 1);
}

// "<prefix><digits>", the number at most 16384; the text after it is left in text.
bool ReadSide(std::string_view& text, std::string_view prefix, std::uint32_t& side)
{
    if (!text.starts_with(prefix))
        return false;
    text.remove_prefix(prefix.size());
    side = 0;
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9' && side <= kMaxSide)
        side = side * 10 + static_cast<std::uint32_t>(text[digits++] - '0');
    text.remove_prefix(digits);
    return digits > 0 && side <= kMaxSide;
}

// One mantissa with its shared exponent, as a gamma-encoded byte.
std::uint8_t ToByte(std::uint8_t mantissa, std::uint8_t exponent)
{
    if (exponent == 0)
        return 0;
    const float linear = mantissa * static_cast<float>(std::ldexp(1.0, exponent - 136));
    float z = static_cast<float>(std::pow(static_cast<double>(linear), static_cast<double>(1.0f / 2.2f))) * 255 + 0.5f;
    if (!(z >= 0))
        z = 0;
    if (z > 255)
        z = 255;
    return static_cast<std::uint8_t>(z);
}

// One scanline of run-length channels after its 4-byte mark: each channel in turn, as
// runs (a count above 128, then the byte to repeat) and literal stretches.
bool ReadRunLengthScanline(ByteReader& reader, std::uint8_t* rgbe, std::size_t width)
{
    for (std::size_t channel = 0; channel < 4; ++channel) {
        for (std::size_t i = 0; i < width;) {
            std::uint8_t count = 0;
            if (!reader.U8(count) || count == 0)
                return false;
            const bool run = count > 128;
            const std::size_t n = run ? count - 128u : count;
            if (n > width - i || !reader.Packet(run, n, rgbe + 4 * i + channel, 4))
                return false;
            i += n;
        }
    }
    return true;
}

}  // namespace

bool IsHdr(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    return text.starts_with("#?RADIANCE\n") || text.starts_with("#?RGBE\n");
}

bool DecodeHdr(const std::uint8_t* data, std::size_t size, Image& image, std::uint64_t budget)
{
    if (!IsHdr(data, size))
        return false;
    ByteReader reader(data, size);
    std::string_view line;
    bool rgbe = false;
    if (!ReadLine(reader, line))
        return false;
    do {
        if (!ReadLine(reader, line))
            return false;
        rgbe = rgbe || line == "FORMAT=32-bit_rle_rgbe";
    } while (!line.empty());
    std::uint32_t width = 0, height = 0;
    if (!rgbe || !ReadLine(reader, line) || !ReadSide(line, "-Y ", height))
        return false;
    while (line.starts_with(' '))
        line.remove_prefix(1);
    if (!ReadSide(line, "+X ", width) || !FitsLimits(width, height, 3, 0, budget))
        return false;

    // The rows are taken into use as they are read, so that a file that ends early never
    // fills the whole image.
    Image result;
    result.pixels.reserve(std::size_t(width) * height * 3);
    std::vector<std::uint8_t> rgbeRow(std::size_t(width) * 4);
    // Narrow images, and those whose first scanline has no run-length mark, are flat.
    const std::uint8_t* first = reader.Here();
    const bool flat = width < 8 || reader.Left() < 4 || first[0] != 2 || first[1] != 2 || (first[2] & 0x80) != 0;
    for (std::size_t y = 0; y < height; ++y) {
        if (flat) {
            if (reader.Left() < rgbeRow.size())
                return false;
            std::memcpy(rgbeRow.data(), reader.Here(), rgbeRow.size());
            reader.Skip(rgbeRow.size());
        } else {
            std::uint8_t mark[4] = {};
            for (std::uint8_t& byte : mark)
                if (!reader.U8(byte))
                    return false;
            if (mark[0] != 2 || mark[1] != 2 || (std::size_t(mark[2]) << 8 | mark[3]) != width ||
                !ReadRunLengthScanline(reader, rgbeRow.data(), width))
                return false;
        }
        result.pixels.resize(result.pixels.size() + std::size_t(width) * 3);  // within the reserved room
        std::uint8_t* out = result.pixels.data() + y * width * 3;
        for (std::size_t x = 0; x < width; ++x)
            for (std::size_t c = 0; c < 3; ++c)
                out[3 * x + c] = ToByte(rgbeRow[4 * x + c], rgbeRow[4 * x + 3]);
    }
    result.width = static_cast<std::int32_t>(width);
    result.height = static_cast<std::int32_t>(height);
    result.channels = 3;
    image = std::move(result);
    return true;
}

}  // namespace imagedecoding
