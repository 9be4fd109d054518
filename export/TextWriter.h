// The one writer behind every exported text file. It gives the bytes that the C library's
// formatted output gives a stream opened in text mode under the "C" locale, whatever the
// process locale is:
//   - every line feed, in templates and in inserted text alike, becomes CR LF;
//   - "%d" prints a signed decimal integer, "%s" inserts text as it stands, "%f" prints six
//     decimals and "%.Nf" N decimals (N = 0..9), correctly rounded, with a point, "-0.000000"
//     for negative zero and "nan", "-nan", "inf", "-inf" as glibc prints them; "%%" is a '%'.
// Templates are checked at compile time against their arguments: a "%d" takes an integer, a
// "%f" a float or double, a "%s" text. Output is buffered and handed to a sink; the first
// failed hand-over marks the writer failed and everything after it is dropped.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

// Where the bytes go. Write returns false when not all of them could be stored.
class OutputSink {
public:
    virtual ~OutputSink() = default;
    virtual bool Write(const char* data, std::size_t size) = 0;
};

// Keeps everything in memory; tests compare its text directly.
class StringSink : public OutputSink {
public:
    bool Write(const char* data, std::size_t size) override
    {
        text.append(data, size);
        return true;
    }
    std::string text;
};

// Counts the bytes and drops them (for measurements).
class CountingSink : public OutputSink {
public:
    bool Write(const char*, std::size_t size) override
    {
        bytes += size;
        return true;
    }
    std::uint64_t bytes = 0;
};

// Longest text FormatFixed writes: a sign, 309 integer digits of the largest double, the
// point and nine decimals.
inline constexpr std::size_t kMaxFixedChars = 1 + 309 + 1 + 9;

// Writes value as "%.<precision>f" does in the "C" locale (precision 0..9) and returns the
// end. out must hold kMaxFixedChars bytes. Not NUL-terminated.
char* FormatFixed(char* out, double value, int precision);
// Writes value as "%d" does and returns the end. out must hold 20 bytes.
char* FormatInteger(char* out, std::int64_t value);

namespace textformat {

enum class ArgKind : std::uint8_t { Integer, Floating, Text };

template <class T>
consteval ArgKind KindOf()
{
    using U = std::remove_cvref_t<T>;
    if constexpr (std::is_same_v<U, bool>)
        static_assert(!std::is_same_v<U, bool>, "print a bool as an int on purpose");
    else if constexpr (std::is_integral_v<U> || std::is_enum_v<U>)
        return ArgKind::Integer;
    else if constexpr (std::is_floating_point_v<U>)
        return ArgKind::Floating;
    else if constexpr (std::is_convertible_v<const U&, std::string_view>)
        return ArgKind::Text;
    else
        static_assert(std::is_floating_point_v<U>, "unsupported argument type");
    return ArgKind::Text;
}

// Not constexpr: calling it while a template is checked makes the build fail there.
void TemplateDoesNotMatchItsArguments();

// Checks a template against the kinds of its arguments.
consteval bool Check(std::string_view text, const ArgKind* kinds, std::size_t count)
{
    std::size_t used = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%')
            continue;
        if (++i == text.size())
            TemplateDoesNotMatchItsArguments();
        char c = text[i];
        if (c == '%')
            continue;
        ArgKind wanted{};
        if (c == 'd') {
            wanted = ArgKind::Integer;
        } else if (c == 's') {
            wanted = ArgKind::Text;
        } else if (c == 'f') {
            wanted = ArgKind::Floating;
        } else if (c == '.' && i + 2 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '9' && text[i + 2] == 'f') {
            wanted = ArgKind::Floating;
            i += 2;
        } else {
            TemplateDoesNotMatchItsArguments();
        }
        if (used == count || kinds[used] != wanted)
            TemplateDoesNotMatchItsArguments();
        ++used;
    }
    if (used != count)
        TemplateDoesNotMatchItsArguments();
    return true;
}

// A template whose conversions were checked against Args when the program was built.
template <class... Args>
class Template {
public:
    template <class S>
        requires std::convertible_to<const S&, std::string_view>
    consteval Template(const S& text) : m_text(text)
    {
        constexpr std::size_t count = sizeof...(Args);
        constexpr ArgKind kinds[count + 1] = {KindOf<Args>()..., ArgKind::Text};
        Check(m_text, kinds, count);
    }
    std::string_view Text() const { return m_text; }

private:
    std::string_view m_text;
};

// One argument, as the writer sees it at run time.
struct Arg {
    ArgKind kind = ArgKind::Integer;
    std::int64_t integer = 0;
    double floating = 0.0;
    std::string_view text;
};

template <class T>
Arg MakeArg(const T& value)
{
    using U = std::remove_cvref_t<T>;
    Arg arg{};
    if constexpr (std::is_integral_v<U> || std::is_enum_v<U>) {
        arg.kind = ArgKind::Integer;
        arg.integer = static_cast<std::int64_t>(value);
    } else if constexpr (std::is_floating_point_v<U>) {
        arg.kind = ArgKind::Floating;
        arg.floating = static_cast<double>(value);
    } else {
        arg.kind = ArgKind::Text;
        arg.text = std::string_view(value);
    }
    return arg;
}

}  // namespace textformat

class TextWriter {
public:
    explicit TextWriter(OutputSink& sink, std::size_t bufferSize = 1 << 18);
    ~TextWriter();  // flushes
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    // Formatted output: Print("\t\t%f %f %f\n", x, y, z).
    template <class... Args>
    void Print(textformat::Template<std::type_identity_t<Args>...> format, const Args&... args)
    {
        if constexpr (sizeof...(Args) == 0) {
            PrintPacked(format.Text(), nullptr, 0);
        } else {
            const textformat::Arg packed[] = {textformat::MakeArg(args)...};
            PrintPacked(format.Text(), packed, sizeof...(Args));
        }
    }

    // Text as it stands (line feeds become CR LF); no conversions are looked for.
    void Text(std::string_view text);
    // A number alone, as "%.<precision>f" and "%d" print it.
    void Fixed(double value, int precision);
    void Integer(std::int64_t value);

    // Hands everything buffered to the sink. False once any hand-over has failed.
    bool Flush();
    bool Failed() const { return m_failed; }
    // Bytes handed to the sink or waiting in the buffer.
    std::uint64_t BytesWritten() const { return m_flushed + m_used; }

private:
    void PrintPacked(std::string_view format, const textformat::Arg* args, std::size_t count);
    // Makes room for at least n more bytes in the buffer.
    void Reserve(std::size_t n)
    {
        if (m_buffer.size() - m_used < n)
            Drain();
    }
    void Drain();

    OutputSink& m_sink;
    std::vector<char> m_buffer;
    std::size_t m_used = 0;
    std::uint64_t m_flushed = 0;
    bool m_failed = false;
};

// Text to place between double quotes in a quoted-name file format so that the line still
// reads back as one token: a double quote becomes a single quote; CR, LF and NUL become
// blanks; a CP932 lead byte without a trail byte after it (which would swallow the closing
// quote) becomes '?'. Whole double-byte characters are kept as they are.
std::string QuotableText(std::string_view cp932Text);
