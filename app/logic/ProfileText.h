// The profile file's text as the toolkit's configuration parser reads it: groups "[a/b]" and
// entries "key=value", with '\' escaping characters of names and values (a value may be
// quoted). The parser stops the program with an assertion on some lines (an entry without a
// key, a group given twice) and reports others in English: a file that a disk fault or a
// hand edit damaged is therefore read here first, line by line, and only what it still
// holds is handed on, in a form the parser takes without a word.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

struct ProfileReading {
    // UTF-8 lines: the entries before any group, then every group once (in the order the file
    // first names it) with its entries, each key once (its last value in the file).
    std::string text;
    // Lines that could not be read: broken UTF-8 or control bytes, an entry without a key or
    // without '=', a group header not closed or followed by more than a comment, a name with
    // "." or ".." or an empty part, a value whose quotes or escapes do not close, and each
    // earlier line of a key given again.
    std::size_t droppedLines = 0;
};

ProfileReading ReadProfileText(std::span<const std::uint8_t> bytes);
