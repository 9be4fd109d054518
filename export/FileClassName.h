// The class name of the exports whose class is named after the output file (Java, Kotlin,
// ActionScript). javac accepts a public class only in a file of its name, an ActionScript
// compiler finds a class only under its file's name, and the engines load a Kotlin class by
// that name too: so the file's base name is the class name as it is, Japanese letters
// included, and a base name that the language does not take as a class name is refused
// before anything is written, with the reason for the user.
#pragma once

#include <span>
#include <string>
#include <string_view>

enum class SourceLanguage { Java, Kotlin, ActionScript };

// Whether the language takes the character as the first or a later one of an identifier:
//   Java          first: letters, letter numbers (Ⅰ, 〇), currency signs ($, ￥), connectors
//                 (_, ＿); later also decimal digits (0, ０);
//   Kotlin        first: letters and '_'; later also decimal digits;
//   ActionScript  first: letters, letter numbers, '$' and '_'; later also decimal digits and
//                 connectors (＿).
// Letters are every kind (kanji, kana, the long-vowel mark ー, the iteration marks 々 ゝ ヽ,
// half-width katakana with their sound marks ﾞ ﾟ, full-width Latin, Greek, Cyrillic); the
// full-width sound marks ゛ ゜, circled digits, symbols, punctuation and blanks are none.
// The table covers every character a code page 932 name holds; any other counts as refused.
bool IsIdentifierStart(SourceLanguage language, char32_t c);
bool IsIdentifierPart(SourceLanguage language, char32_t c);

struct FileClassName {
    std::string name;     // the file's base name in UTF-8: the class name
    std::string refusal;  // why it cannot be the class name (UTF-8); empty when it can
};

// The class name for a CP932 output path. Refused: an empty base name, one that starts with a
// character that may only follow, one holding a character the language takes nowhere in an
// identifier, a reserved name (keywords, the engine's classes the file uses; Kotlin reserves
// names of underscores only as well). The refusal names the base name and the reason.
FileClassName ClassNameOfFile(const std::string& cp932Path, SourceLanguage language,
                              std::span<const std::string_view> reserved);
