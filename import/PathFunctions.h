// Path strings in CP932: extension, file name, base name, ".mqo" replacement, the program's
// folder and changing to a file's folder. Both '\' and '/' separate folders; double-byte
// characters whose trail byte is '\', '/' or '.' are never taken for a separator or a dot.
#pragma once

#include <string>

// The program's folder with its trailing separator (set by GetModuleFolder).
extern std::string g_moduleFolder;
// The folder of the file last passed to ChangeDirectoryToFileFolder, with its separator.
extern std::string g_fileFolder;

// The text after the last dot of the file name part; empty when it has none. Always 1.
int GetFileExtension(std::string& out, const std::string& path);
// The text after the last separator (the whole path when there is none). 0, with out
// untouched, for an empty path or one that ends in a separator.
int GetFileName(std::string& out, const std::string& path);
// The file name without its last extension. 0, with out untouched, when that is empty.
int GetFileBaseName(std::string& out, const std::string& path);
// The path with its file name's last extension replaced by ".mqo" (appended when the file
// name has no dot). Always 1.
int MakeMqoPath(std::string& out, const std::string& path);
// The running program's folder (from /proc/self/exe), CP932, with a trailing '/'.
const std::string& GetModuleFolder();
// Makes the folder of the file the current directory. Non-zero on success; 0 (current
// directory unchanged) when the path names no folder or the folder cannot be entered.
int ChangeDirectoryToFileFolder(const std::string& path);
