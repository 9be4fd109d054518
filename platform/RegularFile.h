// A file opened for reading that is sure to be a regular file and sure to end. Opening never
// blocks (a FIFO without a writer, a device) and takes only a regular file, checked on the
// open descriptor so that the path cannot be swapped in between. Reads stop at the size the
// file had when it was opened, so a file that grows meanwhile still ends.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

class RegularFile {
public:
    RegularFile() = default;
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    // What a path that opened was, when it is no regular file.
    enum class Kind { Regular, Folder, Fifo, Device, Socket, Other };

    // Opens a CP932 path. False (with Error()) when it cannot be opened or is a folder, a
    // FIFO, a device or anything else but a regular file.
    bool Open(std::string_view cp932Path);
    // The same for a path as the file system spells it (UTF-8).
    bool OpenFileSystemPath(const std::string& utf8Path);
    bool IsOpen() const { return m_fd >= 0; }

    // The size at opening, and the read position.
    std::uint64_t Size() const { return m_size; }
    std::uint64_t Position() const { return m_position; }
    // Appends up to count bytes from the read position, never beyond Size(); fewer when
    // the file has shrunk. False (with Error()) on a read error or when memory runs out.
    bool Read(std::vector<std::uint8_t>& data, std::uint64_t count);
    // Appends everything from the read position up to Size().
    bool ReadRest(std::vector<std::uint8_t>& data) { return Read(data, m_size); }

    // Hands the file over as a binary stdio stream at the read position; this object is
    // closed afterwards. Null (with Error()) when that fails.
    std::FILE* ReleaseStream();

    // Why the last operation failed (UTF-8), and its errno (0 when the path was opened but
    // is no regular file).
    const std::string& Error() const { return m_error; }
    int ErrorNumber() const { return m_errno; }
    bool IsNotRegular() const { return m_kind != Kind::Regular; }
    // Why the last operation failed, as the user is told (Japanese, UTF-8): what the path is
    // when it is no regular file, else the system's reason.
    std::string Reason() const;

private:
    bool Fail(int err);
    void Close();

    int m_fd = -1;
    std::uint64_t m_size = 0;
    std::uint64_t m_position = 0;
    std::string m_error;
    int m_errno = 0;
    Kind m_kind = Kind::Regular;
};
