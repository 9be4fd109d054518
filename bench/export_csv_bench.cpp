// Speed of the CSV export on the big scene of the export benchmarks: the bone form (corners
// with their bones and the baked matrices) and the static form.
#include "ExportBenchScene.h"
#include "export/SwiftCsvExport.h"

namespace {

void SwiftCsvExportToFile(benchmark::State& state)
{
    const auto form = static_cast<ExportAnimationForm>(state.range(0));
    exportbench::ExportToFile(state, ".csv", [form](const CCentigrade& scene, const std::string& path) {
        return ExportSwiftCsv(scene, 1.0f, path, form);
    });
}
BENCHMARK(SwiftCsvExportToFile)
    ->Arg(AnimationFormMatrices)
    ->Arg(AnimationFormNone)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

}  // namespace
