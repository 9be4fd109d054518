#include "import/PathFunctions.h"

#include "platform/Cp932.h"
#include "platform/FileSystem.h"

#include <unistd.h>
#include <vector>

std::string g_moduleFolder;
std::string g_fileFolder;

namespace {

constexpr std::size_t npos = std::string::npos;

// Walks backwards by character from the end of the path. Returns the position of the last
// separator (npos when none) and, in lastDot, the last dot after it (npos when none).
std::size_t ScanFileNamePart(const std::string& path, std::size_t& lastDot)
{
    lastDot = npos;
    std::size_t pos = path.size();
    while (pos > 0) {
        pos = cp932::Prev(path, pos);
        const char c = path[pos];
        // pos is always the start of a character, so a trail byte is never looked at here.
        if (fs_cp932::IsSeparator(c))
            return pos;
        if (c == '.' && lastDot == npos)
            lastDot = pos;
    }
    return npos;
}

// Position of the last separator, stepping by character.
std::size_t LastSeparator(const std::string& path)
{
    std::size_t last = npos;
    for (std::size_t i = 0; i < path.size(); i = cp932::Next(path, i))
        if (fs_cp932::IsSeparator(path[i]))
            last = i;
    return last;
}

}  // namespace

int GetFileExtension(std::string& out, const std::string& path)
{
    std::size_t dot = npos;
    ScanFileNamePart(path, dot);
    out = dot == npos ? std::string() : path.substr(dot + 1);
    return 1;
}

int GetFileName(std::string& out, const std::string& path)
{
    std::size_t dot = npos;
    const std::size_t separator = ScanFileNamePart(path, dot);
    const std::size_t start = separator == npos ? 0 : separator + 1;
    if (start >= path.size())
        return 0;
    out = path.substr(start);
    return 1;
}

int GetFileBaseName(std::string& out, const std::string& path)
{
    std::size_t dot = npos;
    const std::size_t separator = ScanFileNamePart(path, dot);
    const std::size_t start = separator == npos ? 0 : separator + 1;
    const std::size_t end = dot == npos ? path.size() : dot;
    if (end <= start)
        return 0;
    out = path.substr(start, end - start);
    return 1;
}

int MakeMqoPath(std::string& out, const std::string& path)
{
    std::size_t dot = npos;
    ScanFileNamePart(path, dot);
    out = (dot == npos ? path : path.substr(0, dot)) + ".mqo";
    return 1;
}

const std::string& GetModuleFolder()
{
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) {
            g_moduleFolder.clear();
            return g_moduleFolder;
        }
        if (static_cast<std::size_t>(n) < buffer.size()) {
            buffer.resize(static_cast<std::size_t>(n));
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    const std::string path = fs_cp932::FromFileSystem(std::string(buffer.begin(), buffer.end()));
    const std::size_t separator = LastSeparator(path);
    g_moduleFolder = separator == npos ? std::string() : path.substr(0, separator + 1);
    return g_moduleFolder;
}

int ChangeDirectoryToFileFolder(const std::string& path)
{
    const std::size_t separator = LastSeparator(path);
    if (separator == npos)
        return 0;
    g_fileFolder = path.substr(0, separator + 1);
    return fs_cp932::SetCurrentFolder(g_fileFolder) ? 1 : 0;
}
