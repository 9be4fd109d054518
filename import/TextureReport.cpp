#include "import/TextureReport.h"

#include "import/NamedReport.h"
#include "platform/Messages.h"

namespace {

const char* const kFailure = "テクスチャファイルの読み込みに失敗しました";

NamedReport& Report()
{
    static NamedReport report(kFailure, "ファイル");
    return report;
}

}  // namespace

TextureReport::TextureReport() { Report().Open(); }

TextureReport::~TextureReport() { Report().Close(); }

void TextureReport::Failed(const std::string& textureName)
{
    if (!Report().IsOpen()) {
        ShowMessage(kFailure, MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    Report().Add(textureName);
}

void TextureReport::Discard() { Report().Discard(); }
