// Where the help page lives: beside the program (the build folder) or in the installed
// data folder next to the program's bin folder; and where its Japanese lines may wrap.
#pragma once

#include <optional>
#include <string>
#include <vector>

inline constexpr const char* kHelpFileName = "Kinemorphix.html";

// The places looked at, in order, for a program in programFolder (UTF-8 path).
std::vector<std::string> HelpFileCandidates(const std::string& programFolder);
// The first candidate that is a file.
std::optional<std::string> FindHelpFile(const std::string& programFolder);

// Where a line of the help page may wrap between two characters that touch (no space between
// them): beside a Japanese or other wide character, as Japanese text wraps at almost any
// character, but not before a closing mark or small kana ("、", "」", "ー", "ッ") nor after an
// opening one ("「", "（"). Never between two narrow characters: those wrap at spaces only.
bool MayWrapBetween(char32_t before, char32_t after);
