#include "import/AsciiNumbers.h"

#include <charconv>
#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace {

locale_t CLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

double SlowToDouble(std::string_view text)
{
    const std::string copy(text);
    return strtod_l(copy.c_str(), nullptr, CLocale());
}

std::int32_t SlowToInt(std::string_view text)
{
    const std::string copy(text);
    return static_cast<std::int32_t>(strtol_l(copy.c_str(), nullptr, 10, CLocale()));
}

}  // namespace

double AsciiToDouble(std::string_view text)
{
    // from_chars reads the same decimal forms as strtod, correctly rounded, but takes no
    // leading blanks, no '+', no hex prefix and reports range errors instead of a value:
    // those cases, and any text left over after the number, go to strtod.
    const char* first = text.data();
    const char* last = first + text.size();
    const char* digits = first != last && *first == '-' ? first + 1 : first;
    if (digits != last && (IsDigit(*digits) || *digits == '.')) {
        double value = 0.0;
        const auto [ptr, ec] = std::from_chars(first, last, value);
        if (ec == std::errc() && ptr == last)
            return value;
    }
    return SlowToDouble(text);
}

std::int32_t AsciiToInt(std::string_view text)
{
    const char* p = text.data();
    const char* last = p + text.size();
    bool negative = false;
    if (p != last && *p == '-') {
        negative = true;
        ++p;
    }
    if (p == last || !IsDigit(*p))
        return SlowToInt(text);
    // Up to 18 digits cannot overflow a 64-bit value; longer runs go to strtol for its
    // clamping.
    std::int64_t value = 0;
    int count = 0;
    for (; p != last && IsDigit(*p); ++p) {
        if (++count > 18)
            return SlowToInt(text);
        value = value * 10 + (*p - '0');
    }
    if (negative)
        value = -value;
    return static_cast<std::int32_t>(value);
}
