#include "platform/FileSystem.h"

#include "platform/AtomicFile.h"
#include "platform/Cp932.h"
#include "platform/RegularFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs_cp932 {

bool IsAbsolutePath(std::string_view p)
{
    if (p.empty())
        return false;
    if (IsSeparator(p[0]))
        return true;
    return p.size() >= 2 && p[1] == ':' && ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z'));
}

std::string ToFileSystem(std::string_view cp932Path)
{
    std::string slashed(cp932Path);
    for (std::size_t i = 0; i < slashed.size(); i = cp932::Next(slashed, i))
        if (slashed[i] == '\\')
            slashed[i] = '/';
    return cp932::ToUtf8(slashed);
}

std::string FromFileSystem(std::string_view utf8Path) { return cp932::FromUtf8(utf8Path); }

std::FILE* Open(std::string_view cp932Path, const char* mode)
{
    if (cp932Path.empty())
        return nullptr;
    if (mode[0] == 'r' && !std::strchr(mode, '+')) {
        RegularFile file;
        return file.Open(cp932Path) ? file.ReleaseStream() : nullptr;
    }
    return std::fopen(ToFileSystem(cp932Path).c_str(), mode);
}

bool Exists(std::string_view cp932Path)
{
    struct stat st {};
    return !cp932Path.empty() && ::stat(ToFileSystem(cp932Path).c_str(), &st) == 0;
}

bool CurrentFolder(std::string& folder)
{
    std::string buffer(256, '\0');
    for (;;) {
        if (::getcwd(buffer.data(), buffer.size())) {
            buffer.resize(std::strlen(buffer.c_str()));
            break;
        }
        if (errno != ERANGE)
            return false;
        buffer.resize(buffer.size() * 2);
    }
    if (buffer.empty() || buffer.back() != '/')
        buffer += '/';
    folder = FromFileSystem(buffer);
    return true;
}

bool SetCurrentFolder(std::string_view cp932Folder)
{
    return !cp932Folder.empty() && ::chdir(ToFileSystem(cp932Folder).c_str()) == 0;
}

bool ReadWholeFile(std::string_view cp932Path, std::vector<std::uint8_t>& data, std::string& error)
{
    RegularFile file;
    data.clear();
    if (file.Open(cp932Path) && file.ReadRest(data))
        return true;
    error = file.Error();
    return false;
}

bool WriteFileAtomically(std::string_view cp932Path, const void* data, std::size_t size, std::string& error)
{
    AtomicFile file;
    if (file.Open(cp932Path) && file.Write(data, size) && file.Commit())
        return true;
    error = file.Error();
    return false;
}

}  // namespace fs_cp932
