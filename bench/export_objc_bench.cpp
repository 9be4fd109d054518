// Speed of the Objective-C arrays export on the big scene of the export benchmarks.
#include "ExportBenchScene.h"
#include "export/ObjectiveCExport.h"

namespace {

void ObjectiveCExportToFile(benchmark::State& state)
{
    exportbench::ExportToFile(state, ".m", [](const CCentigrade& scene, const std::string& path) {
        return ExportObjectiveC(scene, 1.0f, path, AnimationFormMatrices);
    });
}
BENCHMARK(ObjectiveCExportToFile)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
