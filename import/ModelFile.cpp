#include "import/ModelFile.h"

#include "import/MqoError.h"
#include "import/StringSeparator.h"
#include "platform/Messages.h"
#include "platform/RegularFile.h"

#include <cerrno>

namespace mqo {

std::FILE* OpenModelFile(const std::string& path, std::string& reason)
{
    // Opened without blocking (a FIFO), taken only when it is a regular file, and read no
    // further than it reached when opened.
    RegularFile regular;
    std::FILE* file = regular.Open(path) ? regular.ReleaseStream() : nullptr;
    if (!file) {
        // A folder, a FIFO or a device is named as what it is.
        if (regular.IsNotRegular() || regular.ErrorNumber() == ENOENT)
            reason = regular.Reason();
        else
            reason = "ファイルを開けません: " + regular.Error();
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
    case MqoErrorTooLarge:
        return "マテリアルかボーンが多すぎます（どちらも 65,536 までです）。";
    default:
        return "ファイルの内容が正しくありません。";
    }
}

void ReportNonFiniteNumbers(const StringSeparator& reader)
{
    if (reader.NonFiniteCount() > 0)
        ShowMessage(kNonFiniteNumbersMessage, MessageButtons::Ok, MessageIcon::Warning);
}

}  // namespace mqo
