// Token values are exactly the C library's atof and atoi, for every form of token.
#include "import/AsciiNumbers.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

void ExpectSameDouble(const std::string& token)
{
    const double expected = std::atof(token.c_str());
    const double actual = AsciiToDouble(token);
    if (std::isnan(expected)) {
        EXPECT_TRUE(std::isnan(actual)) << token;
        EXPECT_EQ(std::signbit(expected), std::signbit(actual)) << token;
    } else {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(actual), std::bit_cast<std::uint64_t>(expected))
            << token << ": " << actual << " vs " << expected;
    }
}

void ExpectSameInt(const std::string& token) { EXPECT_EQ(AsciiToInt(token), std::atoi(token.c_str())) << token; }

const std::vector<std::string> kTrickyTokens = {
    "", "0", "-0", "+0", "1", "-1", "+1", "1e5", "1E5", "1e+5", "1e-5", "1e", "1e+", "1.e5", ".5", "-.5", "+.5",
    ".", "-", "+", "-.", "e5", ".e5", "0x10", "0X1p4", "-0x1.8p1", "0x", "0xg", "1.5abc", "12abc", "abc",
    "inf", "-inf", "INF", "infinity", "-Infinity", "infx", "nan", "-nan", "NaN", "nan(123)", "nan(", "1e400",
    "-1e400", "1e-400", "1e-310", "4.9406564584124654e-324", "2.4703282292062328e-324", "2.2250738585072011e-308",
    "2.2250738585072012e-308", "1.7976931348623157e308", "1.7976931348623159e308", "0.1", "0.3",
    "123456789012345678901234567890", "0.000000000000000000000000000000000000000000001",
    "3.14159265358979323846264338327950288419716939937510582097494459230781640628620899862803482534211706798214808651",
    "9007199254740993", "9007199254740992.5", "1.00000000000000011102230246251565404236316680908203125",
    "00000000000000000000000000000001.5", "1_000", "1,5", "1.5.6", "--1", "-+1", " 1.5", "\t-2", "\n3", "\v4",
    "\f5", "\r6", "1 2", "0.1e-1000000", "1e1000000", "99999999999", "-99999999999", "2147483647", "2147483648",
    "-2147483648", "-2147483649", "4294967296", "4294967297", "999999999999999999", "1000000000000000000",
    "9223372036854775807", "9223372036854775808", "-9223372036854775809", "123456789012345678901234567890",
    "-00012", "0012.5", "1.", "-1.", "1e-5x", "5e-324", "1e-324",
};

TEST(AsciiNumbers, TrickyTokensConvertAsAtofAndAtoi)
{
    for (const std::string& token : kTrickyTokens) {
        ExpectSameDouble(token);
        ExpectSameInt(token);
    }
}

TEST(AsciiNumbers, TextAfterTheTokenIsNotRead)
{
    // The view ends before the digits that follow in memory.
    const std::string text = "12.5678";
    EXPECT_EQ(AsciiToDouble(std::string_view(text).substr(0, 2)), 12.0);
    EXPECT_EQ(AsciiToInt(std::string_view(text).substr(0, 1)), 1);
    const std::string hex = "0x1fz";
    EXPECT_EQ(AsciiToDouble(std::string_view(hex).substr(0, 3)), 1.0);
}

// Random tokens in the shapes model files hold and in shapes they don't.
std::string RandomToken(std::mt19937_64& random)
{
    static const std::string alphabet = "0123456789.eE+-x";
    std::uniform_int_distribution<int> shape(0, 5);
    std::uniform_int_distribution<int> digitCount(1, 25);
    std::uniform_int_distribution<int> digit(0, 9);
    auto digits = [&](int n) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += static_cast<char>('0' + digit(random));
        return s;
    };
    switch (shape(random)) {
    case 0:
        return (random() % 2 ? "-" : "") + digits(digitCount(random)) + "." + digits(digitCount(random));
    case 1:
        return digits(digitCount(random) % 8 + 1) + "." + digits(4) + "e" + (random() % 2 ? "-" : "+") +
               std::to_string(random() % 340);
    case 2:
        return "-0." + std::string(random() % 330, '0') + digits(digitCount(random));
    case 3:
        return (random() % 2 ? "-" : "") + digits(digitCount(random));
    case 4: {
        std::string s;
        const int n = static_cast<int>(random() % 12) + 1;
        for (int i = 0; i < n; ++i)
            s += alphabet[random() % alphabet.size()];
        return s;
    }
    default:
        return digits(3) + "." + digits(3) + "e" + std::to_string(static_cast<int>(random() % 700) - 350);
    }
}

TEST(AsciiNumbers, RandomTokensConvertAsAtofAndAtoi)
{
    std::mt19937_64 random(20240611);
    for (int i = 0; i < 200000; ++i) {
        const std::string token = RandomToken(random);
        ExpectSameDouble(token);
        ExpectSameInt(token);
        if (HasFailure())
            break;
    }
}

TEST(AsciiNumbers, RandomDoublesPrintedInEveryPrecisionRoundTripAsAtof)
{
    std::mt19937_64 random(7);
    char text[64];
    for (int i = 0; i < 100000; ++i) {
        const double value = std::bit_cast<double>(random());
        std::snprintf(text, sizeof text, i % 3 == 0 ? "%.17g" : i % 3 == 1 ? "%.6f" : "%.9e", value);
        ExpectSameDouble(text);
        if (HasFailure())
            break;
    }
}

}  // namespace
