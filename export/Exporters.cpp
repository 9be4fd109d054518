#include "export/Exporters.h"

#include "export/ActionScript2Export.h"
#include "export/ActionScript3Export.h"
#include "export/MqoExport.h"
#include "export/Stage3DExport.h"

#include <array>

namespace {

ExportResult ExportBoneAnimation(const CCentigrade& scene, const std::string& path, const ExportOptions& options)
{
    return ExportMqoWithBones(scene, path, options.form, 1, options.scale);
}

constexpr std::array<ExporterInfo, 13> kExporters{{
    {2, "ExportTypeBoneAnimation", "Zelvoボーンアニメーションファイル(*.zlba)", "*.zlba", 1, false, &ExportBoneAnimation},
    {3, "ExportTypeActionScript2", "ActionScript2ファイル(*.as)", "*.as", 2, false, &ExportActionScript2Entry},
    {4, "ExportTypeActionScript3", "ActionScript3ファイル(*.as)", "*.as", 0, true, &ExportActionScript3Entry},
    {5, "ExportTypeCollada", "Colladaファイル(*.dae)", "*.dae", 0, false, nullptr},
    {6, "ExportTypeVantaForm3D", "VantaForm3Dファイル(*.java)", "*.java", 0, false, nullptr},
    {7, "ExportTypeWebGL", "WebGLファイル(*.js)", "*.js", 0, false, nullptr},
    {8, "ExportTypeStage3D", "Stage3Dファイル(*.as)", "*.as", 1, true, &ExportStage3DEntry},
    {9, "ExportTypeLumaFold3D", "LumaFold3Dファイル(*.java)", "*.java", 0, false, nullptr},
    {10, "ExportTypeObjectiveC", "Objective-Cファイル(*.m)", "*.m", 0, false, nullptr},
    {11, "ExportTypeFbx", "FBXファイル(*.fbx)", "*.fbx", 0, false, nullptr},
    {12, "ExportTypeKotlin", "Kotlinファイル(*.kt)", "*.kt", 0, false, nullptr},
    {13, "ExportTypeSwift", "Swiftファイル(*.csv)", "*.csv", 0, false, nullptr},
    {14, "ExportTypeWebGPU", "WebGPUファイル(*.js)", "*.js", 0, false, nullptr},
}};

}  // namespace

std::span<const ExporterInfo> Exporters() { return kExporters; }

const ExporterInfo* FindExporter(std::int32_t type)
{
    for (const ExporterInfo& info : kExporters)
        if (info.type == type)
            return &info;
    return nullptr;
}
