#include "platform/AtomicFile.h"

#include "platform/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// How long a temporary file nobody holds must have stayed unwritten before a cleanup removes it.
constexpr std::time_t kStaleSeconds = 5;

// FNV-1a: a hash that stays the same from one build to the next.
std::uint32_t NameHash(std::string_view text)
{
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : text)
        hash = (hash ^ c) * 16777619u;
    return hash;
}

// The temporary file's name for a target, up to the six characters mkstemp fills in: at
// most `limit` bytes in all. The target's name is cut at a character boundary when needed.
std::string TempPrefix(std::string_view name, long limit)
{
    char hash[16];
    std::snprintf(hash, sizeof hash, "%08x", static_cast<unsigned>(NameHash(name)));
    const std::string tail = std::string(".kmx-") + hash + "-";
    const std::size_t room = static_cast<std::size_t>(std::max(limit, 32L)) - 1 - tail.size() - 6;
    std::size_t keep = std::min(name.size(), room);
    while (keep > 0 && keep < name.size() && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
        --keep;  // not inside a UTF-8 character
    return "." + std::string(name.substr(0, keep)) + tail;
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

AtomicFile::~AtomicFile() { Discard(); }

bool AtomicFile::Fail(int err)
{
    m_error = std::strerror(err);
    m_failed = true;
    return false;
}

bool AtomicFile::Open(std::string_view cp932Path)
{
    return OpenFileSystemPath(fs_cp932::ToFileSystem(cp932Path));
}

bool AtomicFile::OpenFileSystemPath(const std::string& utf8Path)
{
    Discard();
    m_failed = false;
    m_error.clear();
    m_target = utf8Path;
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

    const std::string folder = FolderOf(m_target);
    const long nameLimit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    m_tempPrefix = TempPrefix(NameOf(m_target), nameLimit > 0 ? std::min(nameLimit, 255L) : 255L);
    m_temp = (folder == "/" ? "" : folder) + "/" + m_tempPrefix + "XXXXXX";
    const int fd = ::mkostemp(m_temp.data(), O_CLOEXEC);
    if (fd < 0) {
        m_temp.clear();
        return Fail(errno);
    }
    m_fd = fd;
    // Held until the file is renamed or removed: tells a cleanup that this one is still
    // written. A cleanup only tries the lock for a moment, so waiting for it is brief; where
    // the file system has no locks, cleanups cannot take them either and leave every file.
    while (::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
    }
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
    // Renamed while still open and locked, so that no cleanup takes it for a leftover. The
    // data is on the disk already: closing it afterwards has nothing left to report.
    if (::rename(m_temp.c_str(), m_target.c_str()) != 0) {
        const int err = errno;
        Discard();
        return Fail(err);
    }
    m_temp.clear();
    ::close(m_fd);
    m_fd = -1;
    RemoveStaleTemporaries();
    return true;
}

// A temporary file of the same target is what a killed save left when nobody holds its lock
// and nobody has written it for a while: a writer locks its file a moment after creating it,
// so a young unlocked file may still be one that is about to be locked.
void AtomicFile::RemoveStaleTemporaries() const
{
    const std::string folder = FolderOf(m_target);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir);
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.size() != m_tempPrefix.size() + 6 || !name.starts_with(m_tempPrefix))
            continue;
        const int fd = ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat held {};
        const bool unheld = ::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        // With the lock ours, the name must still be this file, and an old one.
        struct stat named {};
        if (unheld && ::fstatat(dirFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            named.st_dev == held.st_dev && named.st_ino == held.st_ino && now - named.st_mtime >= kStaleSeconds)
            ::unlinkat(dirFd, entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

void AtomicFile::Discard()
{
    // Removed before it is closed, while the lock still keeps cleanups away.
    if (!m_temp.empty()) {
        ::unlink(m_temp.c_str());
        m_temp.clear();
    }
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}
