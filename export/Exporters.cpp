#include "export/Exporters.h"

#include "export/ActionScript2Export.h"
#include "export/ActionScript3Export.h"
#include "export/ColladaExport.h"
#include "export/FbxAsciiExport.h"
#include "export/JavaLikeExport.h"
#include "export/KotlinExport.h"
#include "export/MqoExport.h"
#include "export/ObjectiveCExport.h"
#include "export/Stage3DExport.h"
#include "export/SwiftCsvExport.h"
#include "export/WebExport.h"

#include <array>

namespace {

ExportResult ExportBoneAnimation(const CCentigrade& scene, const std::string& path, const ExportOptions& options)
{
    return ExportMqoWithBones(scene, path, options.form, 1, options.scale);
}

ExportResult ExportColladaEntry(const CCentigrade& scene, const std::string& path, const ExportOptions& options)
{
    return ExportCollada(scene, options.scale, path, options.form);
}

ExportResult ExportObjectiveCEntry(const CCentigrade& scene, const std::string& path, const ExportOptions& options)
{
    return ExportObjectiveC(scene, options.scale, path, options.form);
}

ExportResult ExportFbxEntry(const CCentigrade& scene, const std::string& path, const ExportOptions& options)
{
    return ExportFbxAscii(scene, path, options.form, 1, options.scale);
}

ExportResult ExportSwiftCsvEntry(const CCentigrade& scene, const std::string& path, const ExportOptions& options)
{
    return ExportSwiftCsv(scene, options.scale, path, options.form);
}

ExportResult ExportVantaForm3DEntry(const CCentigrade& scene, const std::string& path, const ExportOptions& options)
{
    return ExportVantaForm3D(scene, options.scale, path, options.form);
}

ExportResult ExportLumaFold3DEntry(const CCentigrade& scene, const std::string& path, const ExportOptions& options)
{
    return ExportLumaFold3D(scene, options.scale, path, options.form);
}

ExportResult ExportKotlinEntry(const CCentigrade& scene, const std::string& path, const ExportOptions& options)
{
    return ExportKotlin(scene, options.scale, path, options.form);
}

ExportResult ExportWebGLEntry(const CCentigrade& scene, const std::string& path, const ExportOptions& options)
{
    return ExportWebGL(scene, options.scale, path, options.form);
}

ExportResult ExportWebGPUEntry(const CCentigrade& scene, const std::string& path, const ExportOptions& options)
{
    return ExportWebGPU(scene, options.scale, path, options.form);
}

constexpr std::array<ExporterInfo, 13> kExporters{{
    {2, "ExportTypeBoneAnimation", "Zelvoボーンアニメーションファイル(*.zlba)", "*.zlba", 1, false, &ExportBoneAnimation},
    {3, "ExportTypeActionScript2", "ActionScript2ファイル(*.as)", "*.as", 2, false, &ExportActionScript2Entry},
    {4, "ExportTypeActionScript3", "ActionScript3ファイル(*.as)", "*.as", 0, true, &ExportActionScript3Entry},
    {5, "ExportTypeCollada", "Colladaファイル(*.dae)", "*.dae", 0, false, &ExportColladaEntry},
    {6, "ExportTypeVantaForm3D", "VantaForm3Dファイル(*.java)", "*.java", 0, false, &ExportVantaForm3DEntry},
    {7, "ExportTypeWebGL", "WebGLファイル(*.js)", "*.js", 0, false, &ExportWebGLEntry},
    {8, "ExportTypeStage3D", "Stage3Dファイル(*.as)", "*.as", 1, true, &ExportStage3DEntry},
    {9, "ExportTypeLumaFold3D", "LumaFold3Dファイル(*.java)", "*.java", 0, false, &ExportLumaFold3DEntry},
    {10, "ExportTypeObjectiveC", "Objective-Cファイル(*.m)", "*.m", 0, false, &ExportObjectiveCEntry},
    {11, "ExportTypeFbx", "FBXファイル(*.fbx)", "*.fbx", 0, false, &ExportFbxEntry},
    {12, "ExportTypeKotlin", "Kotlinファイル(*.kt)", "*.kt", 0, false, &ExportKotlinEntry},
    {13, "ExportTypeSwift", "Swiftファイル(*.csv)", "*.csv", 0, false, &ExportSwiftCsvEntry},
    {14, "ExportTypeWebGPU", "WebGPUファイル(*.js)", "*.js", 0, false, &ExportWebGPUEntry},
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
