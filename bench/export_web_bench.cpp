// Speed of the WebGL and WebGPU exports on the big scene of the export benchmarks: the bone
// and static forms of both styles, to a file.
#include "ExportBenchScene.h"
#include "export/WebExport.h"

namespace {

void WebExportToFile(benchmark::State& state)
{
    const auto form = static_cast<ExportAnimationForm>(state.range(1));
    const auto export_ = state.range(0) == 0 ? &ExportWebGL : &ExportWebGPU;
    exportbench::ExportToFile(state, ".js", [&](const CCentigrade& scene, const std::string& path) {
        return export_(scene, 1.0f, path, form);
    });
}
BENCHMARK(WebExportToFile)
    ->ArgNames({"webgpu", "form"})
    ->ArgsProduct({{0, 1}, {AnimationFormMatrices, AnimationFormNone}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

}  // namespace
