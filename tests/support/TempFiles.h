// Scratch files and folders for tests, removed when the object goes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

// A fresh folder under the system's temporary folder; removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder with a trailing '/'.
    const std::string& Path() const { return m_path; }
    // The folder as a path (no trailing separator).
    std::filesystem::path Folder() const { return std::filesystem::path(m_path).parent_path(); }
    // The path of a file in the folder.
    std::string File(const std::string& name) const { return m_path + name; }
    // Writes bytes to a file in the folder (sub-folders are made); returns its path.
    std::string Write(const std::string& name, std::string_view bytes) const;

private:
    std::string m_path;
};

// An anonymous binary file holding the bytes, positioned at its start.
std::FILE* StreamOf(std::string_view bytes);

// The whole file, or "" when it cannot be read.
std::string ReadFile(const std::string& path);
std::vector<std::uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& data);

}  // namespace testsupport
