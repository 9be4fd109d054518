#include "import/BinaryVertexReport.h"

#include "import/NamedReport.h"
#include "platform/Messages.h"

namespace {

NamedReport& Report()
{
    static NamedReport report("次のオブジェクトの頂点はバイナリ形式（BVertex）で保存されているため読み込めませんでした",
                              "オブジェクト");
    return report;
}

}  // namespace

BinaryVertexReport::BinaryVertexReport() { Report().Open(); }

BinaryVertexReport::~BinaryVertexReport() { Report().Close(); }

void BinaryVertexReport::Skipped(const std::string& objectName)
{
    if (!Report().IsOpen()) {
        ShowMessage(Report().Message({objectName}), MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    Report().Add(objectName);
}

void BinaryVertexReport::Discard() { Report().Discard(); }
