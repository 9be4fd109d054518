// Paths and files on this system. Names inside scene and model files are CP932 and may use
// either separator; on this system both '\' and '/' separate folders, and a leading '/' or
// '\' or a drive colon makes a path absolute. File-system calls get UTF-8 with '/'.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace fs_cp932 {

inline bool IsSeparator(char c) { return c == '\\' || c == '/'; }
bool IsAbsolutePath(std::string_view cp932Path);

// CP932 path with either separator -> UTF-8 path with '/' (double-byte characters whose
// trail byte is 0x5C are kept whole).
std::string ToFileSystem(std::string_view cp932Path);
// UTF-8 path from the file system or a widget -> CP932 bytes.
std::string FromFileSystem(std::string_view utf8Path);

// fopen on a CP932 path. Opened only for reading, the path must be a regular file (see
// RegularFile): a FIFO, a device or a folder gives null at once.
std::FILE* Open(std::string_view cp932Path, const char* mode);
bool Exists(std::string_view cp932Path);

// The current folder as CP932 with a trailing '/'; false when it cannot be read.
bool CurrentFolder(std::string& cp932Folder);
bool SetCurrentFolder(std::string_view cp932Folder);

// The whole file in memory, as it was when opened (see RegularFile). False (with
// errno-style text in error) when it cannot be read or is not a regular file.
bool ReadWholeFile(std::string_view cp932Path, std::vector<std::uint8_t>& data, std::string& error);

// Writes data beside the target in a temporary file, flushes it to disk and renames it over
// the target. On any failure the target stays as it was and error says why (UTF-8).
bool WriteFileAtomically(std::string_view cp932Path, const void* data, std::size_t size, std::string& error);

}  // namespace fs_cp932
