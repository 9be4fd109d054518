#include "platform/Archive.h"

#include "platform/Cp932.h"
#include "platform/Progress.h"
#include "platform/RegularFile.h"

#include <algorithm>
#include <bit>
#include <cstring>

static_assert(std::endian::native == std::endian::little, "the archive layout is little-endian");

CArchive::CArchive() : m_mode(store) {}

namespace {

// How much of a file a loading archive holds at a time.
constexpr std::size_t kFileWindow = std::size_t(1) << 18;

}  // namespace

CArchive::CArchive(const std::uint8_t* data, std::size_t size) : m_mode(load), m_in(data), m_window(size), m_size(size) {}

CArchive::CArchive(RegularFile& file)
    : m_mode(load), m_size(static_cast<std::size_t>(file.Size() - file.Position())), m_file(&file)
{
}

void CArchive::Fail(const std::string& what) const { throw CArchiveException(what, Position()); }

void CArchive::Refill()
{
    if (!m_file)
        Fail("unexpected end of archive");
    m_windowStart += m_window;
    m_pos = m_window = 0;
    m_buffer.clear();
    if (!m_file->Read(m_buffer, std::min(kFileWindow, m_size - m_windowStart)))
        Fail("cannot read the file: " + m_file->Error());
    if (m_buffer.empty())
        Fail("the file ended before its size");
    m_in = m_buffer.data();
    m_window = m_buffer.size();
    if (!ReportProgress(m_windowStart + m_window, m_size))
        Fail("the read was cancelled");
}

void CArchive::WriteRaw(const void* data, std::size_t size)
{
    if (!IsStoring())
        Fail("write on a loading archive");
    const auto* p = static_cast<const std::uint8_t*>(data);
    m_out.insert(m_out.end(), p, p + size);
}

void CArchive::ReadRaw(void* data, std::size_t size)
{
    if (!IsLoading())
        Fail("read on a storing archive");
    if (size > BytesLeft())
        Fail("unexpected end of archive");
    auto* out = static_cast<std::uint8_t*>(data);
    while (size > 0) {
        if (m_pos == m_window)
            Refill();
        const std::size_t n = std::min(size, m_window - m_pos);
        std::memcpy(out, m_in + m_pos, n);
        out += n;
        m_pos += n;
        size -= n;
    }
}

CArchive& CArchive::operator<<(std::int32_t v) { WriteRaw(&v, 4); return *this; }
CArchive& CArchive::operator<<(std::uint32_t v) { WriteRaw(&v, 4); return *this; }
CArchive& CArchive::operator<<(float v) { WriteRaw(&v, 4); return *this; }
CArchive& CArchive::operator<<(bool v)
{
    const std::uint8_t b = v ? 1 : 0;
    WriteRaw(&b, 1);
    return *this;
}

CArchive& CArchive::operator>>(std::int32_t& v) { ReadRaw(&v, 4); return *this; }
CArchive& CArchive::operator>>(std::uint32_t& v) { ReadRaw(&v, 4); return *this; }
CArchive& CArchive::operator>>(float& v) { ReadRaw(&v, 4); return *this; }
CArchive& CArchive::operator>>(bool& v)
{
    std::uint8_t b = 0;
    ReadRaw(&b, 1);
    v = b != 0;
    return *this;
}

CArchive& CArchive::operator<<(const std::string& s)
{
    const std::size_t n = s.size();
    if (n > kMaxStringBytes)
        Fail("string longer than " + std::to_string(kMaxStringBytes) + " bytes");
    if (n < 255) {
        const std::uint8_t b = static_cast<std::uint8_t>(n);
        WriteRaw(&b, 1);
    } else if (n < 0xFFFE) {
        const std::uint8_t b = 0xFF;
        const std::uint16_t w = static_cast<std::uint16_t>(n);
        WriteRaw(&b, 1);
        WriteRaw(&w, 2);
    } else {
        const std::uint8_t b = 0xFF;
        const std::uint16_t w = 0xFFFF;
        const std::uint32_t d = static_cast<std::uint32_t>(n);
        WriteRaw(&b, 1);
        WriteRaw(&w, 2);
        WriteRaw(&d, 4);
    }
    WriteRaw(s.data(), n);
    return *this;
}

// One byte; 0xFF then a 16-bit length; 0xFF 0xFFFF then a 32-bit length. The 16-bit marker
// 0xFF 0xFFFE announces a UTF-16 string whose length (in characters) follows in the same form.
std::uint32_t CArchive::ReadStringLength(bool& wide)
{
    wide = false;
    for (int marker = 0; marker < 2; ++marker) {
        std::uint8_t b = 0;
        ReadRaw(&b, 1);
        if (b < 0xFF)
            return b;
        std::uint16_t w = 0;
        ReadRaw(&w, 2);
        if (w == 0xFFFE) {
            if (wide)
                break;  // a second marker is not a length
            wide = true;
            continue;
        }
        if (w < 0xFFFF)
            return w;
        std::uint32_t d = 0;
        ReadRaw(&d, 4);
        if (d == 0xFFFFFFFFu)
            Fail("string length out of range");
        return d;
    }
    Fail("malformed string length");
}

CArchive& CArchive::operator>>(std::string& s)
{
    bool wide = false;
    const std::uint32_t n = ReadStringLength(wide);
    const std::size_t bytes = wide ? std::size_t(n) * 2 : n;
    if (bytes > kMaxStringBytes)
        Fail("string longer than " + std::to_string(kMaxStringBytes) + " bytes");
    if (bytes > BytesLeft())
        Fail("string runs past the end of the archive");
    if (!wide) {
        s.resize(n);
        ReadRaw(s.data(), n);
        return *this;
    }
    std::u16string text(n, u'\0');
    for (std::uint32_t i = 0; i < n; ++i) {
        std::uint16_t c = 0;
        ReadRaw(&c, 2);
        text[i] = static_cast<char16_t>(c);
    }
    s = cp932::FromUtf16(text);
    return *this;
}

std::int32_t CArchive::ReadCount(std::size_t minRecordBytes, std::int32_t maxCount)
{
    std::int32_t n = 0;
    *this >> n;
    if (n < 0)
        Fail("negative count");
    if (n > maxCount)
        Fail("count above the limit of " + std::to_string(maxCount));
    if (minRecordBytes && static_cast<std::size_t>(n) > BytesLeft() / minRecordBytes)
        Fail("count larger than the data left");
    return n;
}
