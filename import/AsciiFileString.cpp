#include "import/AsciiFileString.h"

#include "platform/Progress.h"

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
    // A regular file is read up to the size it has now, even if it grows meanwhile.
    struct stat st {};
    if (m_file && ::fstat(fileno(m_file), &st) == 0 && S_ISREG(st.st_mode)) {
        const off_t position = ftello(m_file);
        if (position >= 0) {
            m_fileSize = static_cast<std::int64_t>(st.st_size);
            m_unread = std::max<std::int64_t>(m_fileSize - position, 0);
        }
    }
    if (m_unread >= 0)
        m_blockSize = std::clamp(static_cast<std::size_t>(m_unread) + 1, kSmallestBlock, kLargestBlock);
    m_buffer.resize(m_blockSize + 1);
}

// Moves what is left to the front and reads until the buffer is full or the stream ends.
bool AsciiFileString::Fill()
{
    if (m_atEnd || m_stopped || !m_file)
        return false;
    if (m_begin > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_begin = 0;
    }
    bool got = false;
    while (m_end < m_blockSize) {
        std::size_t wanted = m_blockSize - m_end;
        if (m_unread >= 0)
            wanted = static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(wanted), m_unread));
        const std::size_t n = wanted > 0 ? std::fread(m_buffer.data() + m_end, 1, wanted, m_file) : 0;
        if (n == 0) {
            m_atEnd = true;
            break;
        }
        m_end += n;
        if (m_unread >= 0)
            m_unread -= static_cast<std::int64_t>(n);
        got = true;
    }
    if (got && m_unread >= 0 && !ReportProgress(static_cast<std::uint64_t>(m_fileSize - m_unread),
                                                 static_cast<std::uint64_t>(m_fileSize))) {
        // The user stopped the read: the file ends here.
        m_stopped = true;
        m_begin = m_end = 0;
        return false;
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
    if (m_unread >= 0)
        m_unread = std::max<std::int64_t>(m_unread - rest, 0);
    return true;
}

std::int64_t AsciiFileString::BytesLeft() const
{
    return m_unread < 0 ? -1 : m_unread + static_cast<std::int64_t>(m_end - m_begin);
}
