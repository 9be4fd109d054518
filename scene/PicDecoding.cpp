// Softimage PIC: a 104-byte header (magic number, version, comment, "PICT", width, height,
// aspect ratio, fields), a chain of channel packets, then the rows top first, each row
// holding every packet's channels of the whole row in packet order. A packet names its
// channels by a mask (0x80 red, 0x40 green, 0x20 blue, 0x10 alpha) and stores them raw, as
// runs of one value (a count of 1 to 255, then the value), or mixed (a byte below 128 for
// that many plus one raw values, 129 to 255 for a run of that less 127, 128 and a 16-bit
// count for a long run). Channels no packet names stay 255. RGBA when a packet holds alpha,
// otherwise RGB.
#include "scene/ByteReader.h"
#include "scene/ImageDecoding.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace imagedecoding {

namespace {

constexpr std::size_t kHeaderSize = 104;
constexpr std::size_t kMaxPackets = 10;
// A mixed run stands for at most 65535 pixels: a file that declares more pixels than its
// bytes can hold that way is damaged.
constexpr std::uint64_t kMostPixelsPerByte = 65535;

struct Packet {
    std::uint8_t compression;
    std::uint8_t mask;
};

using Value = std::array<std::uint8_t, 4>;

// The channels the mask names, in the order red, green, blue, alpha.
bool ReadValue(ByteReader& reader, std::uint8_t mask, std::uint8_t* rgba)
{
    for (int c = 0; c < 4; ++c)
        if ((mask & (0x80 >> c)) != 0 && !reader.U8(rgba[c]))
            return false;
    return true;
}

void Repeat(std::uint8_t mask, const Value& value, std::uint8_t* rgba, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        for (int c = 0; c < 4; ++c)
            if ((mask & (0x80 >> c)) != 0)
                rgba[4 * i + c] = value[static_cast<std::size_t>(c)];
}

// One packet's channels of one row of RGBA pixels.
bool ReadRow(ByteReader& reader, const Packet& packet, std::uint8_t* rgba, std::size_t width)
{
    std::size_t x = 0;
    while (x < width) {
        std::uint8_t code = 0;
        std::size_t count = 1;
        bool run = false;
        if (packet.compression == 0) {
            // Raw: one value a pixel.
        } else if (!reader.U8(code)) {
            return false;
        } else if (packet.compression == 1) {
            run = true;
            count = std::min<std::size_t>(code, width - x);  // a run past the row is cut
        } else if (code < 128) {
            count = code + 1u;
        } else {
            run = true;
            std::uint16_t longCount = 0;
            if (code == 128 && !reader.U16(longCount))
                return false;
            count = code == 128 ? longCount : code - 127u;
        }
        if (count > width - x)
            return false;
        if (run) {
            Value value{};
            if (!ReadValue(reader, packet.mask, value.data()))
                return false;
            Repeat(packet.mask, value, rgba + 4 * x, count);
        } else {
            for (std::size_t i = 0; i < count; ++i)
                if (!ReadValue(reader, packet.mask, rgba + 4 * (x + i)))
                    return false;
        }
        x += count;
    }
    return true;
}

}  // namespace

bool IsPic(const std::uint8_t* data, std::size_t size)
{
    return size >= 92 && std::memcmp(data, "\x53\x80\xF6\x34", 4) == 0 && std::memcmp(data + 88, "PICT", 4) == 0;
}

bool DecodePic(const std::uint8_t* data, std::size_t size, Image& image, std::uint64_t budget)
{
    ByteReader reader(data, size);
    std::uint16_t width = 0, height = 0;
    if (!IsPic(data, size) || !reader.Skip(92) || !reader.U16(width) || !reader.U16(height) ||
        !reader.Skip(kHeaderSize - 96))
        return false;
    std::vector<Packet> packets;
    bool alpha = false;
    for (std::uint8_t chained = 1; chained != 0;) {
        std::uint8_t bits = 0;
        Packet packet{};
        if (packets.size() == kMaxPackets || !reader.U8(chained) || !reader.U8(bits) ||
            !reader.U8(packet.compression) || !reader.U8(packet.mask) || bits != 8 || packet.compression > 2)
            return false;
        alpha = alpha || (packet.mask & 0x10) != 0;
        packets.push_back(packet);
    }
    const std::size_t channels = alpha ? 4 : 3;
    if (!FitsLimits(width, height, channels, 0, budget) ||
        std::uint64_t(width) * height > kMostPixelsPerByte * size)
        return false;
    // The rows are taken into use as they are read, so that a file that ends early never
    // fills the whole image.
    Image result;
    result.pixels.reserve(std::size_t(width) * height * channels);
    std::vector<std::uint8_t> rgba(std::size_t(width) * 4);
    for (std::size_t y = 0; y < height; ++y) {
        std::fill(rgba.begin(), rgba.end(), std::uint8_t(255));
        for (const Packet& packet : packets)
            if (!ReadRow(reader, packet, rgba.data(), width))
                return false;
        const std::size_t offset = result.pixels.size();
        result.pixels.resize(offset + std::size_t(width) * channels);  // within the reserved room
        for (std::size_t x = 0; x < width; ++x)
            std::memcpy(result.pixels.data() + offset + channels * x, rgba.data() + 4 * x, channels);
    }
    result.width = width;
    result.height = height;
    result.channels = static_cast<std::int32_t>(channels);
    image = std::move(result);
    return true;
}

}  // namespace imagedecoding
