#include "export/TextWriter.h"

#include "platform/Cp932.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
constexpr std::uint32_t kIntegerPowersOfTen[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000,
                                                 1000000000};
constexpr double kTwoTo53 = 9007199254740992.0;

}  // namespace

char* FormatFixed(char* out, double value, int precision)
{
    precision = std::clamp(precision, 0, 9);
    if (std::isnan(value)) {
        // glibc prints the sign of a NaN too.
        if (std::signbit(value))
            *out++ = '-';
        std::memcpy(out, "nan", 3);
        return out + 3;
    }
    // The quick way, for the values exporters print: a float times 10^precision needs at
    // most 24 + 21 significant bits, so the product is exact in a double, and rounding it to
    // an integer (half to even, as printf rounds an exact tie in the default rounding mode)
    // gives printf's digits.
    const double scaled = value * kPowersOfTen[precision];
    if (static_cast<double>(static_cast<float>(value)) == value && std::fabs(scaled) < kTwoTo53) {
        if (std::signbit(value))
            *out++ = '-';
        const double magnitude = std::fabs(scaled);
        auto digits = static_cast<std::uint64_t>(magnitude);  // below 2^53: exact truncation
        const double rest = magnitude - static_cast<double>(digits);  // exact
        if (rest > 0.5 || (rest == 0.5 && (digits & 1) != 0))
            ++digits;
        const std::uint32_t unit = kIntegerPowersOfTen[precision];
        out = std::to_chars(out, out + 20, digits / unit).ptr;
        if (precision > 0) {
            *out++ = '.';
            auto fraction = static_cast<std::uint32_t>(digits % unit);
            for (int i = precision - 1; i >= 0; --i) {
                out[i] = static_cast<char>('0' + fraction % 10);
                fraction /= 10;
            }
            out += precision;
        }
        return out;
    }
    // Everything else: std::to_chars gives the exact decimal value rounded half to even, the
    // digits glibc's printf gives, and never looks at the locale. It prints "-0.000000" for
    // negative zero and "inf" with its sign, as printf does.
    return std::to_chars(out, out + kMaxFixedChars, value, std::chars_format::fixed, precision).ptr;
}

char* FormatInteger(char* out, std::int64_t value)
{
    return std::to_chars(out, out + 20, value).ptr;
}

TextWriter::TextWriter(OutputSink& sink, std::size_t bufferSize)
    : m_sink(sink), m_buffer(std::max<std::size_t>(bufferSize, 4096))
{
}

TextWriter::~TextWriter() { Flush(); }

void TextWriter::Drain()
{
    if (m_used == 0)
        return;
    if (!m_failed && !m_sink.Write(m_buffer.data(), m_used))
        m_failed = true;
    m_flushed += m_used;
    m_used = 0;
}

bool TextWriter::Flush()
{
    Drain();
    return !m_failed;
}

void TextWriter::Text(std::string_view text)
{
    while (!text.empty()) {
        const std::size_t lineEnd = text.find('\n');
        const std::size_t plain = lineEnd == std::string_view::npos ? text.size() : lineEnd;
        std::size_t done = 0;
        while (done < plain) {
            Reserve(1);
            const std::size_t n = std::min(plain - done, m_buffer.size() - m_used);
            std::memcpy(m_buffer.data() + m_used, text.data() + done, n);
            m_used += n;
            done += n;
        }
        if (lineEnd == std::string_view::npos)
            return;
        Reserve(2);
        m_buffer[m_used++] = '\r';
        m_buffer[m_used++] = '\n';
        text.remove_prefix(lineEnd + 1);
    }
}

void TextWriter::Fixed(double value, int precision)
{
    Reserve(kMaxFixedChars);
    char* begin = m_buffer.data() + m_used;
    m_used += static_cast<std::size_t>(FormatFixed(begin, value, precision) - begin);
}

void TextWriter::Integer(std::int64_t value)
{
    Reserve(20);
    char* begin = m_buffer.data() + m_used;
    m_used += static_cast<std::size_t>(FormatInteger(begin, value) - begin);
}

void TextWriter::PrintPacked(std::string_view format, const textformat::Arg* args, std::size_t count)
{
    std::size_t next = 0;
    const char* p = format.data();
    const char* const end = p + format.size();
    while (p < end) {
        const char c = *p++;
        if (c == '\n') {
            Reserve(2);
            m_buffer[m_used++] = '\r';
            m_buffer[m_used++] = '\n';
            continue;
        }
        if (c != '%' || p == end) {
            Reserve(1);
            m_buffer[m_used++] = c;
            continue;
        }
        // The template was checked when the program was built, so the conversion is one of
        // "%%", "%d", "%s", "%f" or "%.Nf" and its argument is of the matching kind.
        const char conversion = *p++;
        if (conversion == '%') {
            Reserve(1);
            m_buffer[m_used++] = '%';
            continue;
        }
        if (next >= count)
            return;
        const textformat::Arg& arg = args[next++];
        switch (conversion) {
        case 'd':
            Integer(arg.integer);
            break;
        case 's':
            Text(arg.text);
            break;
        case 'f':
            Fixed(arg.floating, 6);
            break;
        default:  // '.', a digit and 'f'
            Fixed(arg.floating, p[0] - '0');
            p += 2;
            break;
        }
    }
}

std::string QuotableText(std::string_view text)
{
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (cp932::IsLeadByte(c)) {
            // A lead byte swallows the byte after it when the line is read back, so it
            // must be followed by a real trail byte: never the closing quote or a line end.
            const bool trailFollows = i + 1 < out.size() && static_cast<unsigned char>(out[i + 1]) >= 0x40 &&
                                      static_cast<unsigned char>(out[i + 1]) != 0x7F &&
                                      static_cast<unsigned char>(out[i + 1]) <= 0xFC;
            if (trailFollows)
                ++i;
            else
                out[i] = '?';
        } else if (c == '"') {
            out[i] = '\'';
        } else if (c == '\r' || c == '\n' || c == '\0') {
            out[i] = ' ';
        }
    }
    return out;
}
