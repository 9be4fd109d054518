// The line tokenizer: how lines are cut into tokens, how a stream is cut into lines, and the
// token accessors.
#include "import/AsciiFileString.h"
#include "import/FileStringSeparator.h"
#include "import/StringSeparator.h"
#include "support/TempFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using testsupport::StreamOf;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

std::vector<std::string> TokensOf(const StringSeparator& s)
{
    std::vector<std::string> tokens;
    for (int i = 0; i < s.TokenCount(); ++i)
        tokens.emplace_back(s.Token(i));
    return tokens;
}

std::vector<std::string> Split(const std::string& line)
{
    StringSeparator s;
    const int n = s.SplitLine(line.c_str());
    EXPECT_EQ(n, s.TokenCount());
    return TokensOf(s);
}

// Every line of a stream read with a line reader, as token lists; stops at end of file.
template <class Reader>
std::vector<std::vector<std::string>> ReadAll(const std::string& bytes)
{
    std::FILE* file = StreamOf(bytes);
    std::vector<std::vector<std::string>> lines;
    {
        Reader reader(file);
        while (reader.ReadLine() >= 0)
            lines.push_back(TokensOf(reader));
        EXPECT_EQ(reader.TokenCount(), -1);
        EXPECT_EQ(reader.ReadLine(), -1);  // and it stays at the end
    }
    std::fclose(file);
    return lines;
}

struct SplitCase {
    const char* name;
    std::string line;
    std::vector<std::string> tokens;
};

class SplitLineTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitLineTest, GivesTheTokens) { EXPECT_EQ(Split(GetParam().line), GetParam().tokens) << GetParam().name; }

INSTANTIATE_TEST_SUITE_P(
    Lines, SplitLineTest,
    ::testing::Values(
        SplitCase{"brackets", "V(1 2 3)", {"V", "(", "1", "2", "3", ")"}},
        SplitCase{"quoted blank", "tex(\"a b.png\")", {"tex", "(", "a b.png", ")"}},
        SplitCase{"quote inside a word", "ab\"cd\"ef", {"ab", "cd", "ef"}},
        SplitCase{"empty", "", {}},
        SplitCase{"blanks and tabs", "  \t  \t", {}},
        SplitCase{"runs of blanks", "\ta  \t b ", {"a", "b"}},
        SplitCase{"two quotes", "\"\"", {""}},
        SplitCase{"empty quotes between words", "a\"\"b", {"a", "", "b"}},
        SplitCase{"lone quote", "\"", {}},
        SplitCase{"unterminated quote", "\"ab", {"ab"}},
        SplitCase{"unterminated quote keeps blanks", "x \"a b ", {"x", "a b "}},
        SplitCase{"comma", "a,b", {"a", ",", "b"}},
        SplitCase{"brace after word", "a{", {"a", "{"}},
        SplitCase{"punctuation in quotes", "\"x{y}\"", {"x{y}"}},
        SplitCase{"all single-character tokens", "():;=[]{},", {"(", ")", ":", ";", "=", "[", "]", "{", "}", ","}},
        SplitCase{"other punctuation is plain", "a.b-c+d/e\\f", {"a.b-c+d/e\\f"}},
        SplitCase{"CR ends the line", "a b\rc d", {"a", "b"}},
        SplitCase{"LF ends the line", "a\nb", {"a"}},
        SplitCase{"binary announcement", "Vector 8 [96]", {"Vector", "8", "[", "96", "]"}},
        // ソ (83 5C) and 表 (95 5C): the trail byte is a backslash and stays in the name.
        SplitCase{"trail byte 0x5C", "\"\x83\x5C\x95\x5C\" x", {"\x83\x5C\x95\x5C", "x"}},
        // A trail byte equal to the quote, a blank or a bracket neither quotes nor separates.
        SplitCase{"trail byte 0x22", "a\x81\"b c", {"a\x81\"b", "c"}},
        SplitCase{"trail byte blank", "\x81 x", {"\x81 x"}},
        SplitCase{"trail byte in quotes", "\"\x81\"\" y", {"\x81\"", "y"}},
        SplitCase{"trail byte bracket", "V\x81( 1)", {"V\x81(", "1", ")"}},
        SplitCase{"single-byte kana", "\xB1\xB2 \xB3", {"\xB1\xB2", "\xB3"}},
        // A lead byte just before the end of the text keeps its token and reads no further.
        SplitCase{"lead byte at the end", "ab\x83", {"ab\x83"}},
        SplitCase{"lead byte alone at the end", "x \x83", {"x", "\x83"}}),
    [](const ::testing::TestParamInfo<SplitCase>& info) {
        std::string name = info.param.name;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

TEST(StringSeparator, TokenSlotsGrowToTheLongestLineAndAreReused)
{
    StringSeparator s;
    EXPECT_EQ(s.TokenCapacity(), 0);
    EXPECT_EQ(s.SplitLine("a b c"), 3);
    EXPECT_EQ(s.TokenCapacity(), 3);
    EXPECT_EQ(s.SplitLine("a b c d e"), 5);
    EXPECT_EQ(s.TokenCapacity(), 5);
    EXPECT_EQ(s.SplitLine("x y"), 2);
    EXPECT_EQ(s.TokenCapacity(), 5);
    // Slots past the count belong to earlier lines and are not tokens of this one.
    EXPECT_EQ(s.Token(2), "");
    EXPECT_FALSE(s.TokenEquals(2, "c"));
    EXPECT_THAT(TokensOf(s), ElementsAre("x", "y"));
}

TEST(StringSeparator, SetTokenStoresACopyAndGrowsBySlots)
{
    StringSeparator s;
    s.SplitLine("a b");
    std::string text = "changed";
    EXPECT_TRUE(s.SetToken(1, text));
    text = "overwritten";
    EXPECT_EQ(s.Token(1), "changed");
    EXPECT_TRUE(s.SetToken(6, "far"));
    EXPECT_EQ(s.TokenCapacity(), 7);
    EXPECT_EQ(s.TokenCount(), 2);
}

TEST(StringSeparator, AccessorsLookOnlyAtTheTokensOfTheLine)
{
    StringSeparator s;
    s.SplitLine("Format Text 1.5");
    EXPECT_FALSE(s.FirstTokenIs("Format", 4));
    EXPECT_TRUE(s.FirstTokenIs("Format", 3));
    EXPECT_TRUE(s.FirstTokenIs("fORMAT", 1));
    EXPECT_FALSE(s.FirstTokenIs("Forma", 1));
    EXPECT_TRUE(s.TokenEquals(1, "TEXT"));
    EXPECT_FALSE(s.TokenEquals(3, ""));
    EXPECT_DOUBLE_EQ(s.GetTokenFloat(2), 1.5);
    EXPECT_EQ(s.GetTokenFloat(3), 0.0);
    EXPECT_EQ(s.GetTokenInt(2), 1);
    EXPECT_EQ(s.GetTokenInt(7), 0);
    EXPECT_EQ(s.LastToken(), "1.5");
    s.SplitLine("");
    EXPECT_FALSE(s.FirstTokenIs("Format", 0));
    EXPECT_EQ(s.LastToken(), "");
}

TEST(StringSeparator, CaseIsFoldedForAsciiLettersOnly)
{
    EXPECT_TRUE(EqualsIgnoreAsciiCase("MiRrOr_AxIs", "mirror_axis"));
    EXPECT_FALSE(EqualsIgnoreAsciiCase("\x82\x60", "\x82\x81"));  // full-width A and a differ
    EXPECT_FALSE(EqualsIgnoreAsciiCase("[", "{"));                 // 0x5B and 0x7B are not letters
    EXPECT_FALSE(EqualsIgnoreAsciiCase("@", "`"));
}

// --- AsciiFileString: the reader of the model files -------------------------------------

TEST(AsciiFileString, CrLfAndLfLinesReadTheSame)
{
    const auto lf = ReadAll<AsciiFileString>("a b\n\nc \"d e\"\nlast");
    const auto crlf = ReadAll<AsciiFileString>("a b\r\n\r\nc \"d e\"\r\nlast");
    const std::vector<std::vector<std::string>> expected = {{"a", "b"}, {}, {"c", "d e"}, {"last"}};
    EXPECT_EQ(lf, expected);
    EXPECT_EQ(crlf, expected);
}

TEST(AsciiFileString, EmptyStreamIsAtTheEndAtOnce) { EXPECT_TRUE(ReadAll<AsciiFileString>("").empty()); }

TEST(AsciiFileString, LongLinesArriveInPiecesOf8190Bytes)
{
    // 9000 characters: "x" tokens two bytes apart, so the cut at 8190 falls inside a token
    // of "yy" at the very end of the first piece.
    std::string line;
    while (line.size() < 8188)
        line += "x ";
    line += "yyyy";
    while (line.size() < 9000)
        line += " z";
    const auto lines = ReadAll<AsciiFileString>(line + "\nnext\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].size(), 4094u + 1u);
    EXPECT_EQ(lines[0].back(), "yy");           // the first half of the cut token
    EXPECT_EQ(lines[1].front(), "yy");          // and its second half
    EXPECT_EQ(lines[1].size(), 1u + (9000u - 8192u) / 2u);
    EXPECT_THAT(lines[2], ElementsAre("next"));
}

TEST(AsciiFileString, ALineOfExactly8190BytesLeavesItsLineFeedForTheNextCall)
{
    const std::string line(8190, 'a');
    const auto lines = ReadAll<AsciiFileString>(line + "\nb\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].front().size(), 8190u);
    EXPECT_TRUE(lines[1].empty());
    EXPECT_THAT(lines[2], ElementsAre("b"));
}

TEST(AsciiFileString, TextAfterANulByteIsNotPartOfTheLine)
{
    const auto lines = ReadAll<AsciiFileString>(std::string("a b\0c d\ne\n", 10));
    const std::vector<std::vector<std::string>> expected = {{"a", "b"}, {"e"}};
    EXPECT_EQ(lines, expected);
}

TEST(AsciiFileString, LeadByteBeforeTheLineFeedTakesItAsTrailByte)
{
    // As with fgets: the line feed ends the piece, and the split keeps it as the trail byte.
    const auto lines = ReadAll<AsciiFileString>("ab\x83\nc\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::vector<std::string>{"ab\x83\n"});
    EXPECT_EQ(lines[1], std::vector<std::string>{"c"});
}

TEST(AsciiFileString, LeadByteAtTheEndOfTheFileReadsNoFurther)
{
    const auto lines = ReadAll<AsciiFileString>("x \x83");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_THAT(lines[0], ElementsAre("x", "\x83"));
}

TEST(AsciiFileString, LinesAcrossReadAheadBlocksMatchTheCharacterReader)
{
    // Several megabytes of lines of varied length, double-byte names and quotes included.
    std::string text;
    for (int i = 0; text.size() < 3u * 1024 * 1024 + 777; ++i) {
        text += "\t\t" + std::to_string(i) + " V(" + std::to_string(i * 7) + " 1 2) \"\x83\x5C" +
                std::string(static_cast<std::size_t>(i % 300), 'q') + "\" M(3)\n";
        if (i % 1000 == 0)
            text += "\n";
    }
    EXPECT_EQ(ReadAll<AsciiFileString>(text), ReadAll<FileStringSeparator>(text));
}

TEST(AsciiFileString, SkipBytesMovesOverBinaryData)
{
    std::string bytes = "head [ 6 ]\n";
    bytes += std::string("}\n\0{\r\n", 6);
    bytes += "tail\n";
    std::FILE* file = StreamOf(bytes);
    AsciiFileString reader(file);
    EXPECT_EQ(reader.ReadLine(), 4);
    EXPECT_FALSE(reader.SkipBytes(-1));
    EXPECT_TRUE(reader.SkipBytes(6));
    EXPECT_EQ(reader.ReadLine(), 1);
    EXPECT_EQ(reader.Token(0), "tail");
    EXPECT_TRUE(reader.SkipBytes(0));
    EXPECT_EQ(reader.ReadLine(), -1);
    std::fclose(file);
}

TEST(AsciiFileString, SkipBytesBeyondTheReadAheadAndBeyondTheEnd)
{
    const std::size_t block = 3u * 1024 * 1024;
    std::string bytes = "start\n" + std::string(block, '\n') + "after\n";
    std::FILE* file = StreamOf(bytes);
    AsciiFileString reader(file);
    EXPECT_EQ(reader.ReadLine(), 1);
    EXPECT_TRUE(reader.SkipBytes(static_cast<std::int64_t>(block)));
    EXPECT_EQ(reader.ReadLine(), 1);
    EXPECT_EQ(reader.Token(0), "after");
    // As fseek: moving past the end succeeds and the next read finds the end of the file.
    EXPECT_TRUE(reader.SkipBytes(100000000));
    EXPECT_EQ(reader.ReadLine(), -1);
    std::fclose(file);
}

// --- FileStringSeparator: the character reader -----------------------------------------

TEST(FileStringSeparator, CrLfCrAndLfEachEndOneLine)
{
    const auto lines = ReadAll<FileStringSeparator>("a\r\nb\rc\nd\r\r\ne");
    const std::vector<std::vector<std::string>> expected = {{"a"}, {"b"}, {"c"}, {"d"}, {}, {"e"}};
    EXPECT_EQ(lines, expected);
}

TEST(FileStringSeparator, EndOfFileOnlyBeforeTheFirstCharacterOfALine)
{
    EXPECT_TRUE(ReadAll<FileStringSeparator>("").empty());
    const std::vector<std::vector<std::string>> blankLast = {{"a"}, {}};
    EXPECT_EQ(ReadAll<FileStringSeparator>("a\n  "), blankLast);
    const std::vector<std::vector<std::string>> oneLine = {{"a"}};
    EXPECT_EQ(ReadAll<FileStringSeparator>("a\n"), oneLine);
}

TEST(FileStringSeparator, ByteAfterALeadByteIsAlwaysItsTrailByte)
{
    const auto lines = ReadAll<FileStringSeparator>("a\x83\nb\nc\x83");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_THAT(lines[0], ElementsAre("a\x83\nb"));
    EXPECT_THAT(lines[1], ElementsAre("c\x83"));
}

TEST(FileStringSeparator, LongLinesArriveWhole)
{
    const std::string word(20000, 'w');
    const auto lines = ReadAll<FileStringSeparator>(word + " x\n");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_THAT(lines[0], ElementsAre(word, "x"));
}

}  // namespace
