// Speed of the FBX ASCII export on the big scene of the export benchmarks.
#include "ExportBenchScene.h"
#include "export/FbxAsciiExport.h"

namespace {

void FbxAsciiExportToFile(benchmark::State& state)
{
    exportbench::ExportToFile(state, ".fbx", [](const CCentigrade& scene, const std::string& path) {
        return ExportFbxAscii(scene, path, AnimationFormMatrices, 1, 1.0f);
    });
}
BENCHMARK(FbxAsciiExportToFile)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
