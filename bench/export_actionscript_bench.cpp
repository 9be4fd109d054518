// Speed of the ActionScript 2, ActionScript 3 and Stage3D exports on the big scene of the
// export benchmarks, each form written to a file. The file name is no class name, so each
// export has a message to give: it is caught, not printed.
#include "ExportBenchScene.h"
#include "export/ActionScript2Export.h"
#include "export/ActionScript3Export.h"
#include "export/Stage3DExport.h"
#include "platform/Messages.h"

namespace {

void ActionScript2ToFile(benchmark::State& state)
{
    CapturingMessageSink messages;
    exportbench::ExportToFile(state, ".as", [](const CCentigrade& scene, const std::string& path) {
        return ExportActionScript2(scene, 1.0f, path, AnimationFormNone);
    });
}
BENCHMARK(ActionScript2ToFile)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The argument is the animation form.
void ActionScript3ToFile(benchmark::State& state)
{
    CapturingMessageSink messages;
    const auto form = static_cast<ExportAnimationForm>(state.range(0));
    exportbench::ExportToFile(state, ".as", [form](const CCentigrade& scene, const std::string& path) {
        return ExportActionScript3(scene, 1.0f, path, form, FlashTargetFlexSdk);
    });
}
BENCHMARK(ActionScript3ToFile)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void Stage3DToFile(benchmark::State& state)
{
    CapturingMessageSink messages;
    const auto form = static_cast<ExportAnimationForm>(state.range(0));
    exportbench::ExportToFile(state, ".as", [form](const CCentigrade& scene, const std::string& path) {
        return ExportStage3D(scene, 1.0f, path, form, FlashTargetFlashCs);
    });
}
BENCHMARK(Stage3DToFile)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
