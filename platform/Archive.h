// Byte layout of the class library's archive: little-endian int32, float, bool and the
// length-prefixed 8-bit string. Every data class writes and reads itself through one
// Serialize(CArchive&) that tests IsStoring(). A loading archive reads bytes held in memory,
// or a regular file front to back through a small buffer, so that reading a file costs
// memory only for what is read out of it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

class RegularFile;

// Raised when a loading archive runs out of bytes or meets a record it cannot hold.
class CArchiveException : public std::runtime_error {
public:
    explicit CArchiveException(const std::string& what, std::size_t offset)
        : std::runtime_error(what), m_offset(offset) {}
    std::size_t Offset() const { return m_offset; }

private:
    std::size_t m_offset;
};

class CArchive {
public:
    enum Mode { store, load };

    // The longest string an archive reads or writes, in bytes as stored: a longer one raises
    // the archive exception, so that a length prefix cannot ask for gigabytes.
    static constexpr std::size_t kMaxStringBytes = 65536;

    // A storing archive that collects its bytes in memory.
    CArchive();
    // A loading archive over bytes the caller keeps alive.
    CArchive(const std::uint8_t* data, std::size_t size);
    // A loading archive over an open file, from its read position to its size; the caller
    // keeps the file open. A file that ends early is an end of the archive. Reports its
    // progress (platform/Progress.h); a cancel raises the archive exception.
    explicit CArchive(RegularFile& file);

    bool IsStoring() const { return m_mode == store; }
    bool IsLoading() const { return m_mode == load; }

    // Storing: everything written so far.
    const std::vector<std::uint8_t>& Bytes() const { return m_out; }
    // Loading: the read position and what is left after it.
    std::size_t Position() const { return m_windowStart + m_pos; }
    std::size_t BytesLeft() const { return m_size - Position(); }

    CArchive& operator<<(std::int32_t v);
    CArchive& operator<<(std::uint32_t v);
    CArchive& operator<<(float v);
    CArchive& operator<<(bool v);
    CArchive& operator<<(const std::string& s);

    CArchive& operator>>(std::int32_t& v);
    CArchive& operator>>(std::uint32_t& v);
    CArchive& operator>>(float& v);
    CArchive& operator>>(bool& v);
    CArchive& operator>>(std::string& s);

    // Reads an element count and refuses it when it is negative, above maxCount, or when that
    // many records of at least minRecordBytes each cannot fit in the bytes left.
    std::int32_t ReadCount(std::size_t minRecordBytes, std::int32_t maxCount = INT32_MAX);

    // Loading: a reader that makes up records the file does not hold (defaults standing in
    // for an empty array) counts them here, so that what they cost can be bounded by what
    // the file holds.
    void CountMadeUp(std::uint64_t records) { m_madeUp += records; }
    std::uint64_t MadeUp() const { return m_madeUp; }

    void WriteRaw(const void* data, std::size_t size);
    void ReadRaw(void* data, std::size_t size);

    // Raises the archive exception at the current position.
    [[noreturn]] void Fail(const std::string& what) const;

private:
    std::uint32_t ReadStringLength(bool& wide);
    // Reads the next part of the file into the window.
    void Refill();

    Mode m_mode;
    std::vector<std::uint8_t> m_out;
    // Loading: the bytes from m_windowStart on are at m_in (all of them in memory, a part of
    // the file read into m_buffer); m_pos counts from m_windowStart.
    const std::uint8_t* m_in = nullptr;
    std::size_t m_window = 0;
    std::size_t m_windowStart = 0;
    std::size_t m_size = 0;
    std::size_t m_pos = 0;
    RegularFile* m_file = nullptr;
    std::vector<std::uint8_t> m_buffer;
    std::uint64_t m_madeUp = 0;
};
