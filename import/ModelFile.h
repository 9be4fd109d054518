// Opening a Metasequoia file for reading, and telling the user why a read failed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace mqo {

// Opens the file at the CP932 path in binary mode. Null, with why in reason (UTF-8), when it
// cannot be opened or is no regular file (a folder opens but cannot be read).
std::FILE* OpenModelFile(const std::string& path, std::string& reason);

// Why a read that returned this MqoError code failed (UTF-8); empty for success.
std::string ErrorText(std::int32_t code);

}  // namespace mqo
