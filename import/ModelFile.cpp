#include "import/ModelFile.h"

#include "import/MqoError.h"
#include "platform/FileSystem.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace mqo {

std::FILE* OpenModelFile(const std::string& path, std::string& reason)
{
    std::FILE* file = fs_cp932::Open(path, "rb");
    if (!file) {
        reason = errno == ENOENT ? "ファイルが見つかりません。" : std::string("ファイルを開けません: ") + std::strerror(errno);
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fileno(file), &st) != 0 || !S_ISREG(st.st_mode)) {
        std::fclose(file);
        reason = "ファイルではありません。";
        return nullptr;
    }
    return file;
}

std::string ErrorText(std::int32_t code)
{
    switch (code) {
    case MqoErrorNone:
        return {};
    case MqoErrorEndOfFile:
        return "ファイルがチャンクの途中で終わっています。";
    case MqoErrorNotMetasequoia:
        return "Metasequoia のファイルではありません。";
    case MqoErrorFormat:
        return "対応していない形式のファイルです。";
    default:
        return "ファイルの内容が正しくありません。";
    }
}

}  // namespace mqo
