#include "platform/Archive.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::uint8_t> Store(const std::string& s)
{
    CArchive ar;
    ar << s;
    return ar.Bytes();
}

std::string Load(const std::vector<std::uint8_t>& bytes)
{
    CArchive ar(bytes.data(), bytes.size());
    std::string s;
    ar >> s;
    EXPECT_EQ(ar.BytesLeft(), 0u);
    return s;
}

}  // namespace

TEST(Archive, ScalarsAreLittleEndianWithoutPadding)
{
    CArchive ar;
    ar << std::int32_t(-2) << 3.92f << true << false << std::uint32_t(0x005A411E);
    const std::vector<std::uint8_t> expected = {0xFE, 0xFF, 0xFF, 0xFF, 0x48, 0xE1, 0x7A, 0x40,
                                                0x01, 0x00, 0x1E, 0x41, 0x5A, 0x00};
    EXPECT_EQ(ar.Bytes(), expected);

    CArchive in(expected.data(), expected.size());
    std::int32_t i = 0;
    float f = 0;
    bool a = false, b = true;
    std::uint32_t c = 0;
    in >> i >> f >> a >> b >> c;
    EXPECT_EQ(i, -2);
    EXPECT_EQ(f, 3.92f);
    EXPECT_TRUE(a);
    EXPECT_FALSE(b);
    EXPECT_EQ(c, 0x005A411Eu);
}

TEST(Archive, AnyNonZeroByteReadsAsTrue)
{
    const std::uint8_t bytes[] = {0x7F};
    CArchive ar(bytes, 1);
    bool v = false;
    ar >> v;
    EXPECT_TRUE(v);
}

// The length prefix changes form at 255 and at 0xFFFE bytes.
TEST(Archive, StringLengthPrefixAtEachBoundary)
{
    struct Case {
        std::size_t length;
        std::vector<std::uint8_t> prefix;
    };
    const Case cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {65536, {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        std::string s(c.length, 'x');
        if (!s.empty())
            s.back() = 'y';
        const std::vector<std::uint8_t> bytes = Store(s);
        ASSERT_EQ(bytes.size(), c.prefix.size() + c.length) << c.length;
        EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), bytes.begin())) << c.length;
        EXPECT_EQ(Load(bytes), s) << c.length;
    }
}

TEST(Archive, StringsKeepCp932BytesUnchanged)
{
    const std::string name = "\x83\x5C\x95\x5C\\path";  // ソ表 with trail bytes 0x5C, then a backslash
    EXPECT_EQ(Load(Store(name)), name);
}

TEST(Archive, ReadsSixteenBitStringsAsCp932)
{
    // Marker 0xFF 0xFFFE, then the length in characters, then UTF-16LE: "Aソ".
    Bytes b;
    b.u8(0xFF).u16(0xFFFE).u8(2).u16(u'A').u16(0x30BD);
    CArchive ar(b.data.data(), b.data.size());
    std::string s;
    ar >> s;
    EXPECT_EQ(s, "A\x83\x5C");

    // Past 65,536 bytes as stored (32,768 characters) refused at the length, unread.
    Bytes longer;
    longer.u8(0xFF).u16(0xFFFE).u8(0xFF).u16(32769).data.resize(65544, 'x');
    CArchive in(longer.data.data(), longer.data.size());
    EXPECT_THROW(in >> s, CArchiveException);
}

TEST(Archive, RefusesReadsPastTheEnd)
{
    const std::vector<std::uint8_t> three = {1, 2, 3};
    CArchive ar(three.data(), three.size());
    std::int32_t v = 0;
    EXPECT_THROW(ar >> v, CArchiveException);

    // A string whose length runs past the end, in every prefix form.
    for (const std::vector<std::uint8_t>& bytes :
         {std::vector<std::uint8_t>{5, 'a', 'b'}, std::vector<std::uint8_t>{0xFF, 0x00, 0x01, 'a'},
          std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, std::vector<std::uint8_t>{0xFF}}) {
        CArchive in(bytes.data(), bytes.size());
        std::string s;
        EXPECT_THROW(in >> s, CArchiveException);
    }
}

TEST(Archive, CountsAreCheckedAgainstTheBytesLeft)
{
    Bytes b;
    b.i32(3).i32(0).i32(0);  // three records of 4 bytes announced, two present
    CArchive ar(b.data.data(), b.data.size());
    EXPECT_THROW(ar.ReadCount(4), CArchiveException);

    Bytes negative;
    negative.i32(-1);
    CArchive neg(negative.data.data(), negative.data.size());
    EXPECT_THROW(neg.ReadCount(1), CArchiveException);

    Bytes ok;
    ok.i32(2).i32(7).i32(8);
    CArchive good(ok.data.data(), ok.data.size());
    EXPECT_EQ(good.ReadCount(4), 2);
}

TEST(Archive, DirectionIsEnforced)
{
    CArchive out;
    std::int32_t v = 0;
    EXPECT_THROW(out >> v, CArchiveException);
    const std::uint8_t bytes[4] = {};
    CArchive in(bytes, 4);
    EXPECT_THROW(in << v, CArchiveException);
}
