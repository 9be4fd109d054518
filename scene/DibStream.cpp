#include "scene/DibStream.h"

#include "platform/RegularFile.h"
#include "scene/ImageDecoding.h"

namespace {

// No image within the pixel budget needs a file much larger than its pixels.
constexpr std::uint64_t kMaxFileSize = 2 * imagedecoding::kPixelBudget;

}  // namespace

bool DibStream::Load(const std::string& path, std::uint64_t budget)
{
    m_pixels.clear();
    m_width = m_height = m_components = 0;
    RegularFile file;
    std::vector<std::uint8_t> data;
    if (!file.Open(path) || file.Size() > kMaxFileSize || !file.ReadRest(data))
        return false;
    return Decode(data.data(), data.size(), budget);
}

bool DibStream::Decode(const std::uint8_t* data, std::size_t size, std::uint64_t budget)
{
    m_pixels.clear();
    m_width = m_height = m_components = 0;
    imagedecoding::Image image;
    if (!imagedecoding::Decode(data, size, image, budget))
        return false;
    m_pixels = std::move(image.pixels);
    m_width = image.width;
    m_height = image.height;
    m_components = image.channels;
    return true;
}
