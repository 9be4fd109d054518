#include "scene/ImageDecoding.h"

#include <cstring>
#include <new>
#include <stdexcept>

namespace imagedecoding {

bool FitsLimits(std::uint64_t width, std::uint64_t height, std::uint64_t channels, std::uint64_t scratch,
                std::uint64_t budget)
{
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide)
        return false;
    const std::uint64_t bytes = width * height * channels;
    return bytes * (1 + scratch) <= kPixelBudget && bytes <= budget;
}

bool IsPng(const std::uint8_t* data, std::size_t size)
{
    static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return size >= sizeof kSignature && std::memcmp(data, kSignature, sizeof kSignature) == 0;
}

bool IsJpeg(const std::uint8_t* data, std::size_t size)
{
    return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

bool Decode(const std::uint8_t* data, std::size_t size, Image& image, std::uint64_t budget)
{
    try {
        if (IsPng(data, size))
            return DecodePng(data, size, image, budget);
        if (IsJpeg(data, size))
            return DecodeJpeg(data, size, image, budget);
        if (IsPnm(data, size))
            return DecodePnm(data, size, image, budget);
        if (IsHdr(data, size))
            return DecodeHdr(data, size, image, budget);
        if (IsPsd(data, size))
            return DecodePsd(data, size, image, budget);
        if (IsPic(data, size))
            return DecodePic(data, size, image, budget);
        return DecodeWithStb(data, size, image, budget);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
}

}  // namespace imagedecoding
