// Builds little-endian byte sequences by hand for file-format tests, independent of the
// archive code under test.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class Bytes {
public:
    Bytes& i32(std::int32_t v) { return raw(&v, 4); }
    Bytes& u32(std::uint32_t v) { return raw(&v, 4); }
    Bytes& f32(float v) { return raw(&v, 4); }
    Bytes& u16(std::uint16_t v) { return raw(&v, 2); }
    Bytes& u8(std::uint8_t v) { return raw(&v, 1); }
    Bytes& boolean(bool v) { return u8(v ? 1 : 0); }
    // A short string: one length byte and the bytes.
    Bytes& str(const std::string& s)
    {
        u8(static_cast<std::uint8_t>(s.size()));
        return raw(s.data(), s.size());
    }
    Bytes& raw(const void* p, std::size_t n)
    {
        const auto* b = static_cast<const std::uint8_t*>(p);
        data.insert(data.end(), b, b + n);
        return *this;
    }
    Bytes& append(const Bytes& other) { return raw(other.data.data(), other.data.size()); }

    std::vector<std::uint8_t> data;
};
