// Where the help page lives: beside the program (the build folder) or in the installed
// data folder next to the program's bin folder.
#pragma once

#include <optional>
#include <string>
#include <vector>

inline constexpr const char* kHelpFileName = "Kinemorphix.html";

// The places looked at, in order, for a program in programFolder (UTF-8 path).
std::vector<std::string> HelpFileCandidates(const std::string& programFolder);
// The first candidate that is a file.
std::optional<std::string> FindHelpFile(const std::string& programFolder);
