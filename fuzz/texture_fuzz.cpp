// Any bytes as a texture image file: the decode either delivers a whole image within the
// limits or nothing, never more; a budget one byte short of the image refuses it.
#include "scene/DibStream.h"
#include "scene/ImageDecoding.h"

#include <cstddef>
#include <cstdint>

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    DibStream image;
    if (!image.Decode(data, size)) {
        Check(image.m_pixels.empty() && image.m_width == 0 && image.m_height == 0);
        return 0;
    }
    Check(image.m_components == 3 || image.m_components == 4);
    Check(image.m_width > 0 && image.m_height > 0);
    Check(imagedecoding::FitsLimits(static_cast<std::uint64_t>(image.m_width), static_cast<std::uint64_t>(image.m_height),
                                    static_cast<std::uint64_t>(image.m_components)));
    Check(image.m_pixels.size() == static_cast<std::size_t>(image.m_width) * static_cast<std::size_t>(image.m_height) *
                                       static_cast<std::size_t>(image.m_components));
    DibStream tight;
    Check(!tight.Decode(data, size, image.m_pixels.size() - 1) && tight.m_pixels.empty());
    return 0;
}
