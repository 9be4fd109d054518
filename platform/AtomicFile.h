// A file written in pieces that replaces its target only when it is complete: the pieces go
// to a temporary file beside the target, which Commit flushes to disk and renames over the
// target. Until then (and after any failure) the target keeps what it held; an uncommitted
// temporary file is removed. A target that is a symbolic link is written through the link.
//
// The temporary file is hidden and named after the target, ".<name>.kmx-<hash>-XXXXXX",
// with the name shortened so that the whole fits the folder's limit for names whatever the
// target's length. A program killed half way leaves it behind; a later successful Commit to
// the same target removes such leftovers once they are a few seconds old. A writer holds a
// lock on its temporary file from just after creating it until it is renamed or removed, so
// saves of one target at the same time never remove each other's files.
//
// A write beyond the file-size limit (ulimit -f) fails like a full disk only once the
// program ignores SIGXFSZ (IgnoreFileSizeSignal, platform/ProcessSignals.h).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class AtomicFile {
public:
    AtomicFile() = default;
    ~AtomicFile();  // discards what was not committed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file for a CP932 target path. False (with Error()) when the
    // target cannot be written: its folder is missing or not writable, or the target is a
    // folder or a file we may not write.
    bool Open(std::string_view cp932Path);
    // The same for a path as the file system spells it (UTF-8).
    bool OpenFileSystemPath(const std::string& utf8Path);
    bool IsOpen() const { return m_fd >= 0; }

    // Appends data; false, and every later call false, once a write has failed.
    bool Write(const void* data, std::size_t size);

    // Flushes, closes and renames the temporary file over the target. False (target
    // unchanged, temporary file removed) when any write, the flush or the rename failed.
    bool Commit();
    // Removes the temporary file; the target stays as it was.
    void Discard();

    // Why the last operation failed (UTF-8).
    const std::string& Error() const { return m_error; }

private:
    bool Fail(int err);
    void RemoveStaleTemporaries() const;

    int m_fd = -1;
    std::string m_target;  // file-system path (UTF-8)
    std::string m_temp;
    std::string m_tempPrefix;  // the temporary file's name up to its random part
    std::string m_error;
    bool m_failed = false;
};
