// A profile file read line by line: what it still holds, each group and key once, in the form
// the toolkit's parser takes without a word; the lines it cannot read counted.
#include "app/logic/ProfileText.h"

#include <gtest/gtest.h>

#include <string>

namespace {
ProfileReading Read(const std::string& text)
{
    return ReadProfileText({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}
}  // namespace

TEST(ProfileText, KeepsWhatCanBeReadAndCountsTheRest)
{
    const struct {
        const char* file;
        const char* kept;
        std::size_t dropped;
    } rows[] = {
        // What the program writes comes back as it was.
        {"[ProgramData]\nBoneColor=255\n[Recent\\ File\\ List]\nfile1=/a/b.zlkx\n",
         "[ProgramData]\nBoneColor=255\n[Recent\\ File\\ List]\nfile1=/a/b.zlkx\n", 0},
        // Blanks, comments, CR LF, a lone CR and a byte-order mark are no damage.
        {"\xEF\xBB\xBF; c\r\n\r\n  [A] # c\r  k = v\n", "[A]\nk=v\n", 0},
        // No key, no '=', a group header not closed or with text after it.
        {"[A]\n=x\n \\=x\nnoequals\n[B\n[C] x\nk=1\n", "[A]\nk=1\n", 5},
        // Names with "." or ".." or an empty part, keys with '/' or the immutable '!'.
        {"[a/../b]\n[.]\n[a//b]\n[]\nk/j=1\n!k=2\nok=3\n", "ok=3\n", 6},
        // A group given twice is one group; a key given twice keeps its last value.
        {"[A]\nk=1\n[B]\nj=2\n[A]\nk=3\n", "[A]\nk=3\n[B]\nj=2\n", 1},
        // Values: quotes and escapes the parser reads, and the two it complains of.
        {"a=\" x \"\nb=1\\t2\\\\\nc=\"x\"y\"\nd=x\\\n", "a=\" x \"\nb=1\\t2\\\\\n", 2},
        // Broken UTF-8 (a lone trail byte, an overlong slash, a surrogate) and control bytes.
        {"a=\x80\nb=\xC0\xAF\nc=\xED\xA0\x80\nd=\x01\ne=\xE6\x97\xA5\n", "e=\xE6\x97\xA5\n", 4},
        // Escaped names: read without the backslashes and written escaped as the parser does.
        {"[x\\]y]\n\\;k\\ j=1\n", "[x\\]y]\n\\;k\\ j=1\n", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        const ProfileReading reading = Read(row.file);
        EXPECT_EQ(reading.text, row.kept);
        EXPECT_EQ(reading.droppedLines, row.dropped);
    }
}
