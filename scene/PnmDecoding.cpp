// Binary PGM and PPM (P5, P6), 8 or 16 bits a sample. The samples are taken as they are
// (not scaled by the maximum value); 16-bit samples keep their high byte.
#include "scene/ImageDecoding.h"

#include <array>

namespace imagedecoding {

namespace {

bool IsBlank(std::uint8_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// A header number after blanks and comments (from '#' to the end of the line); at most
// five digits, which is all a side or a sample maximum needs.
bool ReadNumber(const std::uint8_t* data, std::size_t size, std::size_t& position, std::uint32_t& number)
{
    for (;;) {
        while (position < size && IsBlank(data[position]))
            ++position;
        if (position >= size || data[position] != '#')
            break;
        while (position < size && data[position] != '\n' && data[position] != '\r')
            ++position;
    }
    number = 0;
    int digits = 0;
    for (; position < size && data[position] >= '0' && data[position] <= '9'; ++position) {
        if (++digits > 5)
            return false;
        number = number * 10 + static_cast<std::uint32_t>(data[position] - '0');
    }
    return digits > 0;
}

}  // namespace

bool IsPnm(const std::uint8_t* data, std::size_t size)
{
    return size >= 2 && data[0] == 'P' && (data[1] == '5' || data[1] == '6');
}

bool DecodePnm(const std::uint8_t* data, std::size_t size, Image& image, std::uint64_t budget)
{
    if (!IsPnm(data, size))
        return false;
    const std::size_t components = data[1] == '6' ? 3 : 1;
    std::size_t position = 2;
    std::array<std::uint32_t, 3> header{};  // width, height, largest sample
    for (std::uint32_t& number : header)
        if (!ReadNumber(data, size, position, number))
            return false;
    // One blank ends the header.
    if (position >= size || !IsBlank(data[position]))
        return false;
    ++position;
    const auto [width, height, largest] = header;
    if (largest == 0 || largest > 65535 || !FitsLimits(width, height, 3, 0, budget))
        return false;
    const std::size_t sampleBytes = largest > 255 ? 2 : 1;
    const std::size_t pixels = std::size_t(width) * height;
    if (size - position < pixels * components * sampleBytes)
        return false;
    Image result = Image::Blank(width, height, 3);
    const std::uint8_t* samples = data + position;
    for (std::size_t i = 0; i < pixels; ++i)
        for (std::size_t c = 0; c < 3; ++c)
            result.pixels[3 * i + c] = samples[(i * components + (components == 3 ? c : 0)) * sampleBytes];
    image = std::move(result);
    return true;
}

}  // namespace imagedecoding
