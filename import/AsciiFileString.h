// The line reader of the model files. Reads a binary stream in large blocks and hands out
// the text as the C library's fgets with a 8191-byte buffer would: a line up to and with its
// LF, a longer line in pieces of 8190 bytes (each split as a line of its own), a last line
// without LF as it is. A CR ends the tokens of a line, so CR LF and LF files read the same.
// Each block read from a regular file is reported as progress (platform/Progress.h); when the
// user stops the read, the file ends there.
#pragma once

#include "import/FileStringSeparator.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class AsciiFileString : public FileStringSeparator {
public:
    // The most bytes one call hands out.
    static constexpr std::size_t kMaxPiece = 8190;

    explicit AsciiFileString(std::FILE* file);

    int ReadLine() override;

    // Moves the read position forward over count bytes, as fseek from the current position
    // does (a position past the end of the file is allowed; reading there gives end of file).
    // False, with the position unchanged, for a negative count or when the stream cannot
    // seek.
    bool SkipBytes(std::int64_t count);

    // Bytes from the read position to the end of a regular file (as large as it was when
    // the reader was made); -1 when not known.
    std::int64_t BytesLeft() const;

private:
    bool Fill();

    std::size_t m_blockSize;     // read-ahead size: up to 1 MiB, less for a smaller file
    std::vector<char> m_buffer;  // read-ahead, one byte more for the line end mark
    std::size_t m_begin = 0;     // next byte to hand out
    std::size_t m_end = 0;       // end of the bytes read
    bool m_atEnd = false;        // the stream has nothing more
    std::int64_t m_unread = -1;  // bytes of a regular file not yet read; -1: not a regular file
    std::int64_t m_fileSize = 0;  // size of a regular file when the reader was made
    bool m_stopped = false;       // the user stopped the read
};
