#include "export/TextWriter.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>
#include <bit>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>

namespace {

std::string Printf(const char* format, double value)
{
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

std::string Fixed(double value, int precision)
{
    char buffer[kMaxFixedChars];
    return std::string(buffer, FormatFixed(buffer, value, precision));
}

const char* const kFormats[] = {"%.0f", "%.1f", "%.2f", "%.3f", "%.4f", "%.5f", "%f", "%.7f", "%.8f", "%.9f"};

void ExpectSameAsPrintf(double value)
{
    for (int p = 0; p <= 9; ++p)
        ASSERT_EQ(Fixed(value, p), Printf(kFormats[p], value)) << "value " << std::hexfloat << value << " precision " << p;
}

}  // namespace

TEST(NumberFormat, EdgeValuesPrintAsTheCLibraryPrintsThem)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double edges[] = {
        0.0, -0.0, 1.5, -1.5, 0.5, 2.5, -2.5,          // halfway at precision 0: to even
        0.125, 0.375, -0.625,                            // halfway at precision 2
        0.0000005, 0.0000015, 0.0000025, -0.0000005,     // near-halfway at six decimals
        1e-9, -1e-9, -4e-7,                              // round to zero, keeping the sign
        0.9999995, 9.9999999, 999999.9999996,            // carries into the integer part
        3.4028234663852886e38, -3.4028234663852886e38,   // the largest float
        1.7976931348623157e308, 4.9e-324, 1e22, 1e23,    // the largest double, denormals
        static_cast<double>(0.1f), static_cast<double>(1.0f / 3.0f),
        nan, -nan, inf, -inf,
    };
    for (const double v : edges)
        ExpectSameAsPrintf(v);
    EXPECT_EQ(Fixed(-0.0, 6), "-0.000000");
    EXPECT_EQ(Fixed(-1e-9, 6), "-0.000000");
    EXPECT_EQ(Fixed(inf, 6), "inf");
    EXPECT_EQ(Fixed(-nan, 6), "-nan");
}

TEST(NumberFormat, RandomFloatsAndDoublesPrintAsTheCLibraryPrintsThem)
{
    std::mt19937_64 random(20240611);
    // Every bit pattern of a float is possible (NaNs with payloads, denormals, huge values).
    for (int i = 0; i < 200000; ++i) {
        const auto bits = static_cast<std::uint32_t>(random());
        const double v = std::bit_cast<float>(bits);
        const int p = i % 10;
        ASSERT_EQ(Fixed(v, p), Printf(kFormats[p], v)) << std::hexfloat << v;
    }
    // Values of the size models have, where the digits matter most.
    std::uniform_real_distribution<float> modelRange(-2000.0f, 2000.0f);
    for (int i = 0; i < 200000; ++i) {
        const double v = modelRange(random);
        ASSERT_EQ(Fixed(v, 6), Printf("%f", v));
        ASSERT_EQ(Fixed(v, 4), Printf("%.4f", v));
        ASSERT_EQ(Fixed(v, 3), Printf("%.3f", v));
    }
    for (int i = 0; i < 100000; ++i) {
        const double v = std::bit_cast<double>(random());
        const int p = i % 10;
        ASSERT_EQ(Fixed(v, p), Printf(kFormats[p], v)) << std::hexfloat << v;
    }
}

TEST(TextWriter, TemplatesGiveTextModeBytes)
{
    StringSink sink;
    {
        TextWriter out(sink);
        out.Print("\t\t%f %f %d %d\n", 1.5f, -0.25, 7, std::int64_t{-46000000000});
        out.Print("100%% \"%s\" %.4f %.3f %.2f\n", std::string("a\nb"), 0.5f, 1.0005, 2.345);
        out.Print("no conversion\n\n");
        out.Text("%d stays\n");
    }
    EXPECT_EQ(sink.text,
              "\t\t1.500000 -0.250000 7 -46000000000\r\n"
              "100% \"a\r\nb\" 0.5000 1.000 2.35\r\n"  // 1.0005 is below the half; 2.345 above it
              "no conversion\r\n\r\n"
              "%d stays\r\n");
}

TEST(TextWriter, LongTextCrossesTheBufferWhole)
{
    StringSink sink;
    std::string expected;
    {
        TextWriter out(sink, 4096);
        for (int i = 0; i < 3000; ++i) {
            out.Print("%d:%f\n", i, i * 0.001);
            expected += std::to_string(i) + ":" + Printf("%f", i * 0.001) + "\r\n";
        }
        const std::string longLine(10000, 'x');
        out.Text(longLine);
        expected += longLine;
        EXPECT_EQ(out.BytesWritten(), expected.size());
    }
    EXPECT_EQ(sink.text, expected);
}

TEST(TextWriter, AFailedWriteMarksTheWriterFailed)
{
    class FailingSink : public OutputSink {
    public:
        bool Write(const char*, std::size_t size) override
        {
            calls++;
            return (taken += size) <= 5000;
        }
        int calls = 0;
        std::size_t taken = 0;
    } sink;
    TextWriter out(sink, 4096);
    for (int i = 0; i < 1000; ++i)
        out.Print("%f\n", 1.0);
    EXPECT_FALSE(out.Flush());
    EXPECT_TRUE(out.Failed());
    const int calls = sink.calls;
    out.Print("more\n");
    EXPECT_FALSE(out.Flush());
    EXPECT_EQ(sink.calls, calls);  // nothing more reaches the sink
}

// Numbers keep their point under a locale whose decimal separator is a comma.
TEST(TextWriter, NumbersIgnoreTheProcessLocale)
{
    const char* names[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"};
    const char* chosen = nullptr;
    for (const char* name : names)
        if (std::setlocale(LC_ALL, name)) {
            chosen = name;
            break;
        }
    testsupport::TempDir folder;
    if (!chosen) {
        // Build one for this test only.
        const std::string command = "localedef -i de_DE -f UTF-8 '" + folder.File("de_DE.UTF-8") + "' >/dev/null 2>&1";
        if (std::system(command.c_str()) == 0) {
            ::setenv("LOCPATH", folder.Folder().c_str(), 1);
            if (std::setlocale(LC_ALL, "de_DE.UTF-8"))
                chosen = "de_DE.UTF-8";
        }
    }
    if (!chosen) {
        ::unsetenv("LOCPATH");
        GTEST_SKIP() << "no locale with a decimal comma is installed and localedef could not make one";
    }
    const std::string localPrintf = Printf("%f", 1.5);
    StringSink sink;
    {
        TextWriter out(sink);
        out.Print("%f %.4f %d\n", 1.5f, -2.25, 1234567);
    }
    std::setlocale(LC_ALL, "C");
    ::unsetenv("LOCPATH");
    EXPECT_EQ(localPrintf, "1,500000") << "the locale " << chosen << " did not take effect";
    EXPECT_EQ(sink.text, "1.500000 -2.2500 1234567\r\n");
}

TEST(TextWriter, QuotableTextKeepsTheLineReadable)
{
    EXPECT_EQ(QuotableText("plain name"), "plain name");
    EXPECT_EQ(QuotableText("say \"hi\""), "say 'hi'");
    EXPECT_EQ(QuotableText(std::string("a\r\nb\0c", 6)), "a  b c");
    // ソ (0x83 0x5C) and 表 (0x95 0x5C) stay whole; a lead byte before the closing quote or
    // at the end cannot stay, since it would swallow the quote.
    EXPECT_EQ(QuotableText("\x83\x5C\x95\x5C"), "\x83\x5C\x95\x5C");
    EXPECT_EQ(QuotableText("ab\x83"), "ab?");
    EXPECT_EQ(QuotableText("ab\x83\""), "ab?'");
    EXPECT_EQ(QuotableText("\x83\n"), "? ");
}
