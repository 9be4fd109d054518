// Decoding texture images from bytes in memory. Images come from files other people made, so
// every decoder reads the image's size first and refuses one beyond the limits below before
// it allocates anything for the pixels. PNG goes to libpng, JPEG to libjpeg, PNM, HDR, PSD
// and PIC to small decoders of our own, and the rest (BMP, TGA, GIF) to stb_image.
//
// What every decoder delivers: 8 bits a channel, rows top first, no padding, and 3 (RGB)
// or 4 (RGBA) channels: an image with colour keeps its own channel count (a PSD is always
// RGBA), a grey one is expanded to RGB (its alpha, if any, dropped).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace imagedecoding {

// The largest side, in pixels, and the most bytes of decoded pixels an image may have. A
// caller may give a decode a smaller budget (what is left of a larger total).
inline constexpr std::uint32_t kMaxSide = 16384;
inline constexpr std::uint64_t kPixelBudget = std::uint64_t(256) << 20;

struct Image {
    std::vector<std::uint8_t> pixels;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t channels = 0;  // 3 or 4

    // An image of that size (within the limits) with every byte 0.
    static Image Blank(std::uint32_t width, std::uint32_t height, std::int32_t channels)
    {
        Image image;
        image.pixels.resize(std::size_t(width) * height * static_cast<std::size_t>(channels));
        image.width = static_cast<std::int32_t>(width);
        image.height = static_cast<std::int32_t>(height);
        image.channels = channels;
        return image;
    }
};

// True when an image of this size, decoded to this many channels, is within the limits and
// the budget; scratch is how many bytes a decoder needs per decoded byte beyond the pixels.
bool FitsLimits(std::uint64_t width, std::uint64_t height, std::uint64_t channels, std::uint64_t scratch = 0,
                std::uint64_t budget = kPixelBudget);

// Formats told by their first bytes.
bool IsPng(const std::uint8_t* data, std::size_t size);
bool IsJpeg(const std::uint8_t* data, std::size_t size);
bool IsPnm(const std::uint8_t* data, std::size_t size);
bool IsHdr(const std::uint8_t* data, std::size_t size);
bool IsPsd(const std::uint8_t* data, std::size_t size);
bool IsPic(const std::uint8_t* data, std::size_t size);

// Each false, with image untouched, when the data is not a whole image of its format or
// the image is beyond the limits or the budget (bytes of decoded pixels).
bool DecodePng(const std::uint8_t* data, std::size_t size, Image& image, std::uint64_t budget = kPixelBudget);
bool DecodeJpeg(const std::uint8_t* data, std::size_t size, Image& image, std::uint64_t budget = kPixelBudget);
bool DecodePnm(const std::uint8_t* data, std::size_t size, Image& image, std::uint64_t budget = kPixelBudget);
bool DecodeHdr(const std::uint8_t* data, std::size_t size, Image& image, std::uint64_t budget = kPixelBudget);
bool DecodePsd(const std::uint8_t* data, std::size_t size, Image& image, std::uint64_t budget = kPixelBudget);
bool DecodePic(const std::uint8_t* data, std::size_t size, Image& image, std::uint64_t budget = kPixelBudget);
bool DecodeWithStb(const std::uint8_t* data, std::size_t size, Image& image, std::uint64_t budget = kPixelBudget);

// The decoder the first bytes call for; an allocation failure is a failed decode.
bool Decode(const std::uint8_t* data, std::size_t size, Image& image, std::uint64_t budget = kPixelBudget);

}  // namespace imagedecoding
