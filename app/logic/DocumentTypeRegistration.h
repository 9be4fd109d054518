// The scene file type registered with the user's desktop: a desktop entry that opens .zlkx
// files with this program, the MIME type application/x-kinemorphix (glob *.zlkx) and the
// program's and the document's icons, all below the user's data folder ($XDG_DATA_HOME,
// default ~/.local/share). Paths are file-system (UTF-8) paths.
#pragma once

#include <string>
#include <vector>

namespace doctype {

// One file of the registration: its path below the data folder and its content.
struct RegistrationFile {
    std::string relativePath;  // "applications/kinemorphix.desktop"
    std::string content;
};

// $XDG_DATA_HOME when it is set to an absolute path, else $HOME/.local/share; empty when
// neither is known.
std::string UserDataFolder();

// The Exec value of a desktop entry that starts the program with one file: the program's
// path quoted and escaped as desktop entries require, then " %f". Empty for a path that a
// desktop entry cannot hold (a line break in it).
std::string DesktopExecValue(const std::string& programPath);

// The files that register the program at programPath; empty when the path cannot be
// registered.
std::vector<RegistrationFile> RegistrationFiles(const std::string& programPath);

struct Outcome {
    bool ok = true;
    bool changed = false;  // a file was written or removed: the databases need a refresh
    std::string error;     // what failed, naming the file (UTF-8)
};

// Writes every registration file that is missing or differs (each through a temporary file
// renamed over it).
Outcome Register(const std::string& dataFolder, const std::string& programPath);
// Removes exactly the registration files, nothing else; missing ones are no error.
Outcome Unregister(const std::string& dataFolder);

// The commands that rebuild the desktop's caches below the data folder, for each tool that is
// found on PATH: update-mime-database and update-desktop-database.
std::vector<std::vector<std::string>> RefreshCommands(const std::string& dataFolder);

}  // namespace doctype
