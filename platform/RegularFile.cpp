#include "platform/RegularFile.h"

#include "platform/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

RegularFile::~RegularFile() { Close(); }

void RegularFile::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_size = m_position = 0;
}

bool RegularFile::Fail(int err)
{
    m_error = std::strerror(err);
    m_errno = err;
    return false;
}

bool RegularFile::Open(std::string_view cp932Path) { return OpenFileSystemPath(fs_cp932::ToFileSystem(cp932Path)); }

namespace {

RegularFile::Kind KindOf(mode_t mode)
{
    if (S_ISREG(mode))
        return RegularFile::Kind::Regular;
    if (S_ISDIR(mode))
        return RegularFile::Kind::Folder;
    if (S_ISFIFO(mode))
        return RegularFile::Kind::Fifo;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return RegularFile::Kind::Device;
    if (S_ISSOCK(mode))
        return RegularFile::Kind::Socket;
    return RegularFile::Kind::Other;
}

}  // namespace

bool RegularFile::OpenFileSystemPath(const std::string& utf8Path)
{
    Close();
    m_error.clear();
    m_errno = 0;
    m_kind = Kind::Regular;
    if (utf8Path.empty())
        return Fail(ENOENT);
    const int fd = ::open(utf8Path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        // A socket cannot be opened at all; say what it is all the same.
        const int err = errno;
        struct stat st {};
        if (err == ENXIO && ::stat(utf8Path.c_str(), &st) == 0)
            m_kind = KindOf(st.st_mode);
        return Fail(err);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        return Fail(err);
    }
    m_kind = KindOf(st.st_mode);
    if (m_kind != Kind::Regular) {
        ::close(fd);
        if (m_kind == Kind::Folder)
            return Fail(EISDIR);
        m_error = "not a regular file";
        return false;
    }
    // Blocking reads from here on (the flag only mattered for opening).
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        const int err = errno;
        ::close(fd);
        return Fail(err);
    }
    m_fd = fd;
    m_size = static_cast<std::uint64_t>(std::max<off_t>(st.st_size, 0));
    return true;
}

std::string RegularFile::Reason() const
{
    switch (m_kind) {
    case Kind::Folder:
        return "フォルダーです。";
    case Kind::Fifo:
        return "FIFO（名前付きパイプ）です。";
    case Kind::Device:
        return "デバイスです。";
    case Kind::Socket:
        return "ソケットです。";
    case Kind::Other:
        return "通常のファイルではありません。";
    case Kind::Regular:
        break;
    }
    switch (m_errno) {
    case ENOENT:
        return "ファイルが見つかりません。";
    case EACCES:
    case EPERM:
        return "ファイルを読む権限がありません。";
    case ENOMEM:
        return "メモリが足りません。";
    default:
        return m_error;
    }
}

bool RegularFile::Read(std::vector<std::uint8_t>& data, std::uint64_t count)
{
    if (m_fd < 0)
        return Fail(EBADF);
    count = std::min(count, m_size - m_position);
    const std::size_t start = data.size();
    try {
        data.resize(start + count);
    } catch (const std::exception&) {
        data.resize(start);
        return Fail(ENOMEM);
    }
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(m_fd, data.data() + start + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int err = errno;
            data.resize(start + done);
            return Fail(err);
        }
        if (n == 0)
            break;  // the file has shrunk since it was opened
        done += static_cast<std::size_t>(n);
    }
    data.resize(start + done);
    m_position += done;
    return true;
}

std::FILE* RegularFile::ReleaseStream()
{
    if (m_fd < 0) {
        Fail(EBADF);
        return nullptr;
    }
    std::FILE* stream = ::fdopen(m_fd, "rb");
    if (!stream) {
        Fail(errno);
        return nullptr;
    }
    m_fd = -1;
    m_size = m_position = 0;
    return stream;
}
