// Speed of the COLLADA export on the big scene of the export benchmarks.
#include "ExportBenchScene.h"
#include "export/ColladaExport.h"

namespace {

void ColladaExportToFile(benchmark::State& state)
{
    exportbench::ExportToFile(state, ".dae", [](const CCentigrade& scene, const std::string& path) {
        return ExportCollada(scene, 1.0f, path, AnimationFormMatrices);
    });
}
BENCHMARK(ColladaExportToFile)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
