// Speed of the Metasequoia bone export on the big scene of the export benchmarks.
#include "ExportBenchScene.h"
#include "export/MqoExport.h"
#include "export/TextWriter.h"

namespace {

void MqoExportFormatting(benchmark::State& state)
{
    const CCentigrade& scene = exportbench::BigExportScene();
    std::uint64_t bytes = 0;
    for (auto _ : state) {
        CountingSink sink;
        {
            TextWriter out(sink);
            WriteMqoWithBones(scene, out, AnimationFormMatrices, 1.0f);
        }
        bytes += sink.bytes;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    state.counters["file_MB"] = static_cast<double>(bytes) / static_cast<double>(state.iterations()) / 1e6;
}
BENCHMARK(MqoExportFormatting)->Unit(benchmark::kMillisecond)->Iterations(3);

void MqoExportToFile(benchmark::State& state)
{
    exportbench::ExportToFile(state, ".zlba", [](const CCentigrade& scene, const std::string& path) {
        return ExportMqoWithBones(scene, path, AnimationFormMatrices, 1, 1.0f);
    });
}
BENCHMARK(MqoExportToFile)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
