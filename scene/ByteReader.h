// Reads bytes of a file held in memory front to back. A read that would go past the end
// fails and leaves the position where it was.
#pragma once

#include <cstddef>
#include <cstdint>

class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::size_t Position() const { return m_position; }
    std::size_t Left() const { return m_size - m_position; }
    const std::uint8_t* Here() const { return m_data + m_position; }

    bool Skip(std::uint64_t count)
    {
        if (count > Left())
            return false;
        m_position += static_cast<std::size_t>(count);
        return true;
    }
    bool U8(std::uint8_t& value)
    {
        if (Left() < 1)
            return false;
        value = m_data[m_position++];
        return true;
    }
    // Big-endian.
    bool U16(std::uint16_t& value)
    {
        if (Left() < 2)
            return false;
        value = static_cast<std::uint16_t>(m_data[m_position] << 8 | m_data[m_position + 1]);
        m_position += 2;
        return true;
    }
    bool U32(std::uint32_t& value)
    {
        std::uint16_t high = 0, low = 0;
        if (Left() < 4 || !U16(high) || !U16(low))
            return false;
        value = std::uint32_t(high) << 16 | low;
        return true;
    }

    // The pixels of a run-length packet into every stride-th byte of out: the next byte n
    // times over (a run), or the next n bytes.
    bool Packet(bool run, std::size_t n, std::uint8_t* out, std::size_t stride)
    {
        if (Left() < (run ? 1 : n))
            return false;
        for (std::size_t k = 0; k < n; ++k)
            out[k * stride] = m_data[m_position + (run ? 0 : k)];
        m_position += run ? 1 : n;
        return true;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_position = 0;
};
