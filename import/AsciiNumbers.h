// Numbers from model-file tokens, converted exactly as the C library's atof and atoi do in
// the "C" locale, whatever locale the program runs in. Plain decimal forms take a fast path;
// every other form (hex, inf, nan, leading blanks or '+', trailing text, out of range) goes
// to strtod or strtol, so the value is always the C library's.
#pragma once

#include <cstdint>
#include <string_view>

// atof of the text (the text need not be NUL-terminated).
double AsciiToDouble(std::string_view text);
// atoi of the text: strtol's value (clamped to long) cast to a 32-bit int.
std::int32_t AsciiToInt(std::string_view text);
