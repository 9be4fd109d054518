#include "platform/Cp932.h"

#include <gtest/gtest.h>

TEST(Cp932, LeadBytes)
{
    EXPECT_FALSE(cp932::IsLeadByte(static_cast<unsigned char>(0x80)));
    EXPECT_TRUE(cp932::IsLeadByte(static_cast<unsigned char>(0x81)));
    EXPECT_TRUE(cp932::IsLeadByte(static_cast<unsigned char>(0x9F)));
    EXPECT_FALSE(cp932::IsLeadByte(static_cast<unsigned char>(0xA0)));  // half-width katakana range
    EXPECT_FALSE(cp932::IsLeadByte(static_cast<unsigned char>(0xDF)));
    EXPECT_TRUE(cp932::IsLeadByte(static_cast<unsigned char>(0xE0)));
    EXPECT_TRUE(cp932::IsLeadByte(static_cast<unsigned char>(0xFC)));
    EXPECT_FALSE(cp932::IsLeadByte(static_cast<unsigned char>(0xFD)));
    EXPECT_FALSE(cp932::IsLeadByte('\\'));
}

TEST(Cp932, SteppingKeepsDoubleByteCharactersWhole)
{
    const std::string s = "a\x83\x5C\\\x95";  // a, ソ, backslash, a lone lead byte at the end
    EXPECT_EQ(cp932::Next(s, 0), 1u);
    EXPECT_EQ(cp932::Next(s, 1), 3u);
    EXPECT_EQ(cp932::Next(s, 3), 4u);
    EXPECT_EQ(cp932::Next(s, 4), 5u);  // never past the end
    EXPECT_EQ(cp932::Next(s, 5), 5u);
    EXPECT_EQ(cp932::Prev(s, 5), 4u);
    EXPECT_EQ(cp932::Prev(s, 4), 3u);
    EXPECT_EQ(cp932::Prev(s, 3), 1u);  // the trail byte 0x5C is not a character of its own
    EXPECT_EQ(cp932::Prev(s, 1), 0u);
    EXPECT_EQ(cp932::Prev(s, 0), 0u);
}

TEST(Cp932, CaseInsensitiveComparisonByCharacter)
{
    EXPECT_TRUE(cp932::EqualsNoCase("Animation_0", "ANIMATION_0"));
    EXPECT_TRUE(cp932::EqualsNoCase("\x82\x60", "\x82\x81"));  // full-width A and a
    EXPECT_FALSE(cp932::EqualsNoCase("\x83\x5C", "\x83\x7C"));  // ソ is not ポ... nor folded
    // A trail byte that looks like a capital letter is not folded: 0x83 0x41 (ア) vs 0x83 0x61 (ヂ)
    EXPECT_FALSE(cp932::EqualsNoCase("\x83\x41", "\x83\x61"));
    EXPECT_LT(cp932::CompareNoCase("abc", "abd"), 0);
    EXPECT_GT(cp932::CompareNoCase("abcd", "ABC"), 0);
    EXPECT_EQ(cp932::CompareNoCase("", ""), 0);
}

TEST(Cp932, ConvertsToAndFromUtf8)
{
    const std::string cp = "\x83\x5C\x95\x5C\\~";  // ソ表\~
    const std::string utf8 = cp932::ToUtf8(cp);
    EXPECT_EQ(utf8, "\xE3\x82\xBD\xE8\xA1\xA8\\~");  // backslash and tilde stay ASCII
    EXPECT_EQ(cp932::FromUtf8(utf8), cp);
    // NEC row 13: circled digit one.
    EXPECT_EQ(cp932::ToUtf8("\x87\x40"), "\xE2\x91\xA0");
}

TEST(Cp932, UnconvertibleCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(cp932::FromUtf8("a\xF0\x9F\x98\x80" "b"), "a?b");  // an emoji has no CP932 form
    EXPECT_EQ(cp932::ToUtf8("a\x83"), "a?");                     // a lone lead byte at the end
    EXPECT_EQ(cp932::FromUtf8("a\xFF" "b"), "a?b");              // not UTF-8 at all
}
