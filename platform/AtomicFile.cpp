#include "platform/AtomicFile.h"

#include "platform/FileSystem.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

AtomicFile::~AtomicFile() { Discard(); }

bool AtomicFile::Fail(int err)
{
    m_error = std::strerror(err);
    m_failed = true;
    return false;
}

bool AtomicFile::Open(std::string_view cp932Path)
{
    Discard();
    m_failed = false;
    m_error.clear();
    m_target = fs_cp932::ToFileSystem(cp932Path);
    if (m_target.empty())
        return Fail(ENOENT);

    // Write through a symbolic link to the file it names, as opening the path would.
    struct stat linkStat {};
    if (::lstat(m_target.c_str(), &linkStat) == 0 && S_ISLNK(linkStat.st_mode)) {
        if (char* resolved = ::realpath(m_target.c_str(), nullptr)) {
            m_target = resolved;
            std::free(resolved);
        }
    }

    // An existing target must be a file we may write; keep its permissions.
    mode_t mode = 0;
    struct stat st {};
    if (::stat(m_target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return Fail(EISDIR);
        if (::access(m_target.c_str(), W_OK) != 0)
            return Fail(errno);
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    m_temp = m_target + ".XXXXXX";
    const int fd = ::mkstemp(m_temp.data());
    if (fd < 0) {
        m_temp.clear();
        return Fail(errno);
    }
    m_fd = fd;
    if (::fchmod(m_fd, mode) != 0) {
        const int err = errno;
        Discard();
        return Fail(err);
    }
    return true;
}

bool AtomicFile::Write(const void* data, std::size_t size)
{
    if (m_fd < 0 || m_failed)
        return false;
    const auto* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(m_fd, p, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Fail(errno);
        }
        if (n == 0)
            return Fail(ENOSPC);
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool AtomicFile::Commit()
{
    if (m_fd < 0)
        return m_failed ? false : Fail(EBADF);
    if (m_failed) {
        Discard();
        return false;
    }
    if (::fsync(m_fd) != 0) {
        const int err = errno;
        Discard();
        return Fail(err);
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(m_temp.c_str());
        m_temp.clear();
        return Fail(err);
    }
    if (::rename(m_temp.c_str(), m_target.c_str()) != 0) {
        const int err = errno;
        ::unlink(m_temp.c_str());
        m_temp.clear();
        return Fail(err);
    }
    m_temp.clear();
    return true;
}

void AtomicFile::Discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temp.empty()) {
        ::unlink(m_temp.c_str());
        m_temp.clear();
    }
}
