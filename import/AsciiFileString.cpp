#include "import/AsciiFileString.h"

#include <algorithm>
#include <cstring>
#include <sys/stat.h>

namespace {

// Read-ahead block: many times the longest piece, so that refilling is rare; a small file
// gets a block of its own size (but at least two pieces).
constexpr std::size_t kLargestBlock = std::size_t(1) << 20;
constexpr std::size_t kSmallestBlock = 2 * AsciiFileString::kMaxPiece;

}  // namespace

AsciiFileString::AsciiFileString(std::FILE* file) : FileStringSeparator(file), m_blockSize(kLargestBlock)
{
    const std::int64_t size = BytesLeft();
    if (size >= 0)
        m_blockSize = std::clamp(static_cast<std::size_t>(size) + 1, kSmallestBlock, kLargestBlock);
    m_buffer.resize(m_blockSize + 1);
}

// Moves what is left to the front and reads until the buffer is full or the stream ends.
bool AsciiFileString::Fill()
{
    if (m_atEnd || !m_file)
        return false;
    if (m_begin > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_begin = 0;
    }
    bool got = false;
    while (m_end < m_blockSize) {
        const std::size_t n = std::fread(m_buffer.data() + m_end, 1, m_blockSize - m_end, m_file);
        if (n == 0) {
            m_atEnd = true;
            break;
        }
        m_end += n;
        got = true;
    }
    return got;
}

int AsciiFileString::ReadLine()
{
    if (m_end - m_begin < kMaxPiece)
        Fill();
    if (m_begin == m_end) {
        m_tokenCount = -1;
        return -1;
    }
    char* piece = m_buffer.data() + m_begin;
    const std::size_t available = std::min(m_end - m_begin, kMaxPiece);
    const void* lf = std::memchr(piece, '\n', available);
    const std::size_t length = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - piece) + 1 : available;
    // The piece is split in place: its end is marked with a NUL for the time of the split
    // (the buffer has one spare byte past the block for this), and the tokens view it until
    // the next call.
    char* end = piece + length;
    const char saved = *end;
    *end = '\0';
    const int n = SplitText(piece);
    *end = saved;
    m_begin += length;
    return n;
}

bool AsciiFileString::SkipBytes(std::int64_t count)
{
    if (count < 0 || !m_file)
        return false;
    const std::size_t buffered = m_end - m_begin;
    if (static_cast<std::uint64_t>(count) <= buffered) {
        m_begin += static_cast<std::size_t>(count);
        return true;
    }
    // The stream stands at the end of what was read ahead.
    const std::int64_t rest = count - static_cast<std::int64_t>(buffered);
    if (fseeko(m_file, static_cast<off_t>(rest), SEEK_CUR) != 0)
        return false;
    m_begin = m_end = 0;
    m_atEnd = false;
    return true;
}

std::int64_t AsciiFileString::BytesLeft() const
{
    struct stat st {};
    if (!m_file || ::fstat(fileno(m_file), &st) != 0 || !S_ISREG(st.st_mode))
        return -1;
    const off_t position = ftello(m_file);
    if (position < 0)
        return -1;
    const std::int64_t left = static_cast<std::int64_t>(st.st_size) - position +
                              static_cast<std::int64_t>(m_end - m_begin);
    return std::max<std::int64_t>(left, 0);
}
