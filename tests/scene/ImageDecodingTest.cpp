// Texture images from untrusted files: every format decodes as stb_image decodes it (JPEG
// within rounding), and images that are damaged or larger than the limits are refused
// without a crash and before their pixels are allocated.
#include "scene/DibStream.h"
#include "scene/ImageDecoding.h"
#include "support/Bytes.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>

namespace {

const std::string kSeeds = KMX_SOURCE_DIR "/fuzz/corpus/texture/";

// What the reference decoder (Debian's stb_image, all formats) makes of a file, expanded
// to what DibStream delivers: RGBA or RGB.
DibStream Reference(const std::vector<std::uint8_t>& file)
{
    int w = 0, h = 0, n = 0;
    stbi_uc* pixels = stbi_load_from_memory(file.data(), static_cast<int>(file.size()), &w, &h, &n, 0);
    DibStream image;
    if (!pixels)
        return image;
    const int channels = n == 4 ? 4 : 3;
    image.m_width = w;
    image.m_height = h;
    image.m_components = channels;
    for (std::size_t i = 0; i < std::size_t(w) * h; ++i)
        for (int c = 0; c < channels; ++c)
            image.m_pixels.push_back(pixels[i * n + (n < 3 ? 0 : c)]);
    stbi_image_free(pixels);
    return image;
}

int LargestDifference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b)
{
    int largest = 0;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        largest = std::max(largest, std::abs(a[i] - b[i]));
    return largest;
}

}  // namespace

// Channels as the reference delivers them (alpha kept, grey made RGB); JPEG within rounding.
TEST(ImageDecoding, EverySeedDecodesAsTheReferenceDoes)
{
    std::size_t seen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kSeeds)) {
        const std::string name = entry.path().filename().string();
        const DibStream reference = Reference(testsupport::ReadBytes(entry.path().string()));
        ASSERT_FALSE(reference.m_pixels.empty()) << name;
        DibStream image;
        ASSERT_TRUE(image.Load(entry.path().string())) << name;
        EXPECT_EQ(image.m_components, reference.m_components) << name;
        EXPECT_EQ(image.m_width, reference.m_width) << name;
        EXPECT_EQ(image.m_height, reference.m_height) << name;
        ASSERT_EQ(image.m_pixels.size(), reference.m_pixels.size()) << name;
        EXPECT_LE(LargestDifference(image.m_pixels, reference.m_pixels), name.starts_with("jpeg") ? 4 : 0) << name;
        ++seen;
    }
    EXPECT_EQ(seen, 25u);  // PNG, JPEG, BMP, TGA, GIF, PSD, PNM, HDR and PIC, in their variants
}

namespace {

// Big-endian numbers for the headers below.
Bytes& Be32(Bytes& b, std::uint32_t v) { return b.u8(v >> 24).u8(v >> 16).u8(v >> 8).u8(v); }
Bytes& Be16(Bytes& b, std::uint16_t v) { return b.u8(v >> 8).u8(v); }

Bytes& Text(Bytes& b, const std::string& text) { return b.raw(text.data(), text.size()); }

// Files of every format whose header declares a w x h image, with a little data after it:
// enough for a decoder without limits to go on and fill the whole image.
std::map<std::string, Bytes> Headers(std::uint32_t w, std::uint32_t h)
{
    const auto w16 = static_cast<std::uint16_t>(w), h16 = static_cast<std::uint16_t>(h);
    std::map<std::string, Bytes> files;
    Bytes& png = files["png"].raw("\x89PNG\r\n\x1A\n", 8);
    Be32(Be32(Be32(png, 13).raw("IHDR", 4), w), h).u8(8).u8(6).u8(0).u8(0).u8(0).u32(0);
    Be32(png, 2).raw("IDAT", 4).u8(0x78).u8(0x9C).u32(0);
    // The JPEG seed's tables and headers up to its scan (frame header at 158, scan data at 294).
    std::vector<std::uint8_t> jpeg = testsupport::ReadBytes(kSeeds + "jpeg_baseline.jpg");
    jpeg.resize(294);
    jpeg[158 + 5] = static_cast<std::uint8_t>(h16 >> 8);
    jpeg[158 + 6] = static_cast<std::uint8_t>(h16);
    jpeg[158 + 7] = static_cast<std::uint8_t>(w16 >> 8);
    jpeg[158 + 8] = static_cast<std::uint8_t>(w16);
    files["jpeg"].raw(jpeg.data(), jpeg.size());
    files["tga"].u8(0).u8(0).u8(10).raw("\0\0\0\0\0\0\0\0\0", 9).u16(w16).u16(h16).u8(24).u8(0);
    Bytes& bmp = files["bmp"].raw("BM", 2).u32(54).u32(0).u32(54).u32(40);
    bmp.i32(static_cast<std::int32_t>(w)).i32(static_cast<std::int32_t>(h)).u16(1).u16(24);
    bmp.u32(0).u32(0).u32(0).u32(0).u32(0).u32(0);
    Text(files["pnm"], "P6\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n");
    Text(files["hdr"], "#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y " + std::to_string(h) + " +X " + std::to_string(w) + "\n");
    Bytes& psd = files["psd"].raw("8BPS", 4);
    Be16(Be32(Be32(Be16(Be16(psd, 1).raw("\0\0\0\0\0\0", 6), 3), h), w), 8);
    Be16(psd, 3).u32(0).u32(0).u32(0).u16(0);
    files["gif"].raw("GIF89a", 6).u16(w16).u16(h16).u8(0).u8(0).u8(0);
    Bytes& pic = files["pic"].raw("\x53\x80\xF6\x34", 4).raw(std::string(84, '\0').data(), 84).raw("PICT", 4);
    Be16(Be16(pic, w16), h16).u32(0).u32(0).u8(0).u8(8).u8(0).u8(0xE0);
    for (auto& entry : files)
        Text(entry.second, std::string(64, '\x81'));
    return files;
}

}  // namespace

TEST(ImageDecoding, ImagesBeyondTheLimitsOrWithoutTheirDataAreRefused)
{
    // Too long a side, too many pixels for the budget (16384 x 16384 x 3 is 768 MB), and a
    // header far larger than the file that holds it.
    for (const auto& [w, h] : {std::pair<std::uint32_t, std::uint32_t>{16385, 1}, {1, 65535}, {16384, 16384}, {12552, 4120}}) {
        for (const auto& [format, file] : Headers(w, h)) {
            DibStream image;
            EXPECT_FALSE(image.Decode(file.data.data(), file.data.size())) << format << " " << w << "x" << h;
            EXPECT_TRUE(image.m_pixels.empty());
        }
    }
    // Within the limits (268 MB) but with none of its data: no format fills in the rest.
    for (const auto& [format, file] : Headers(16384, 5461)) {
        DibStream image;
        EXPECT_FALSE(image.Decode(file.data.data(), file.data.size())) << format;
    }
    // A budget smaller than the image refuses it as well.
    const std::vector<std::uint8_t> seed = testsupport::ReadBytes(kSeeds + "png_rgb.png");
    DibStream image;
    ASSERT_TRUE(image.Decode(seed.data(), seed.size()));
    const std::uint64_t bytes = image.m_pixels.size();
    EXPECT_TRUE(image.Decode(seed.data(), seed.size(), bytes));
    EXPECT_FALSE(image.Decode(seed.data(), seed.size(), bytes - 1));
}

// Every cut-short seed is refused or decoded whole, never read past its end (the sanitizer
// build watches); our own decoders refuse any cut at all, JPEG any cut into its data (only
// the end marker may be missing).
TEST(ImageDecoding, CutShortFilesNeverReadPastTheirEnd)
{
    for (const auto& entry : std::filesystem::directory_iterator(kSeeds)) {
        const std::vector<std::uint8_t> file = testsupport::ReadBytes(entry.path().string());
        const bool ownDecoder = imagedecoding::IsPnm(file.data(), file.size()) ||
                                imagedecoding::IsHdr(file.data(), file.size()) ||
                                imagedecoding::IsPsd(file.data(), file.size()) ||
                                imagedecoding::IsPic(file.data(), file.size());
        const bool jpeg = imagedecoding::IsJpeg(file.data(), file.size());
        for (std::size_t size = 0; size < file.size(); ++size) {
            const std::vector<std::uint8_t> cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size));
            DibStream image;
            const bool decoded = image.Decode(cut.data(), cut.size());
            EXPECT_EQ(image.m_pixels.size(), decoded ? std::size_t(image.m_width) * image.m_height * image.m_components : 0u);
            if (ownDecoder || (jpeg && size + 2 < file.size())) {
                EXPECT_FALSE(decoded) << entry.path().filename() << " cut at " << size;
            }
        }
    }
}

TEST(ImageDecoding, SixteenBitPnmSamplesKeepTheirHighByte)
{
    const std::string file = "P6 1 1 65535\n\x12\x34\x56\x78\x9A\xBC";
    DibStream image;
    ASSERT_TRUE(image.Decode(reinterpret_cast<const std::uint8_t*>(file.data()), file.size()));
    EXPECT_EQ(image.m_pixels, (std::vector<std::uint8_t>{0x12, 0x56, 0x9A}));
}

// Files that made stb_image overflow an int, loop for ever, convert a colour out of range,
// fill an image far larger than the file or convert the image it had just freed: each is
// refused at once, or decoded soundly.
TEST(ImageDecoding, FilesThatBrokeTheOldDecoderAreHandled)
{
    for (const auto& [name, decodes] : {std::pair{"pnm_side_overflows_an_int.pgm", false},
                                        {"hdr_empty_packet.hdr", false},
                                        {"psd_colour_beyond_its_alpha.psd", true},
                                        {"tga_22_bytes_of_52_megapixels.tga", false},
                                        {"pic_109_bytes_ends_in_its_first_row.pic", false}}) {
        DibStream image;
        EXPECT_EQ(image.Load(KMX_TEST_DATA_DIR "/texture/" + std::string(name)), decodes) << name;
    }
}
