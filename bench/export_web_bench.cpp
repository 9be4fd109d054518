// Speed of the WebGL and WebGPU exports on the big scene of the export benchmarks.
#include "ExportBenchScene.h"
#include "export/TextWriter.h"
#include "export/WebExport.h"

namespace {

void WebGLFormatting(benchmark::State& state)
{
    const CCentigrade& scene = exportbench::BigExportScene();
    std::uint64_t bytes = 0;
    for (auto _ : state) {
        CountingSink sink;
        {
            TextWriter out(sink);
            WriteJsModel(scene, out, JsStyle::Prototype, AnimationFormMatrices, 1.0f, "Grid");
        }
        bytes += sink.bytes;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    state.counters["file_MB"] = static_cast<double>(bytes) / static_cast<double>(state.iterations()) / 1e6;
}
BENCHMARK(WebGLFormatting)->Unit(benchmark::kMillisecond)->Iterations(3);

// Bone and static forms of both styles, to a file.
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
