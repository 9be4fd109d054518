// Opening a Metasequoia file for reading, and telling the user why a read failed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

class StringSeparator;

namespace mqo {

// Opens the file at the CP932 path in binary mode. Null, with why in reason (UTF-8), when it
// cannot be opened or is no regular file (a folder opens but cannot be read).
std::FILE* OpenModelFile(const std::string& path, std::string& reason);

// Why a read that returned this MqoError code failed (UTF-8); empty for success.
std::string ErrorText(std::int32_t code);

// Shown once by an import whose file held numbers that are not finite (read as 0).
inline constexpr std::string_view kNonFiniteNumbersMessage =
    "モデルファイルに有限でない数値（nan、inf など）があったため、0 として読み込みました";
// Shows that message when the reader met such numbers.
void ReportNonFiniteNumbers(const StringSeparator& reader);

}  // namespace mqo
