// Speed of the Java-like and Kotlin exports on the big scene of the export benchmarks, in
// the bone form (matrices per bone and frame) and the static form.
#include "ExportBenchScene.h"
#include "export/JavaLikeExport.h"
#include "export/KotlinExport.h"
#include "platform/Messages.h"

namespace {

// The benchmark's file name is no Java class name: its message is answered here.
class QuietMessages : public IMessageSink {
public:
    QuietMessages() : m_previous(SetMessageSink(this)) {}
    ~QuietMessages() override { SetMessageSink(m_previous); }
    MessageResult Show(const std::string&, MessageButtons, MessageIcon) override { return MessageResult::Ok; }

private:
    IMessageSink* m_previous;
};

void LumaFold3DToFile(benchmark::State& state)
{
    const auto form = static_cast<ExportAnimationForm>(state.range(0));
    QuietMessages quiet;
    exportbench::ExportToFile(state, ".java", [form](const CCentigrade& scene, const std::string& path) {
        return ExportLumaFold3D(scene, 1.0f, path, form);
    });
}
BENCHMARK(LumaFold3DToFile)->Arg(AnimationFormMatrices)->Arg(AnimationFormNone)
    ->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void VantaForm3DToFile(benchmark::State& state)
{
    const auto form = static_cast<ExportAnimationForm>(state.range(0));
    QuietMessages quiet;
    exportbench::ExportToFile(state, ".java", [form](const CCentigrade& scene, const std::string& path) {
        return ExportVantaForm3D(scene, 1.0f, path, form);
    });
}
BENCHMARK(VantaForm3DToFile)->Arg(AnimationFormMatrices)->Arg(AnimationFormNone)
    ->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void KotlinToFile(benchmark::State& state)
{
    const auto form = static_cast<ExportAnimationForm>(state.range(0));
    exportbench::ExportToFile(state, ".kt", [form](const CCentigrade& scene, const std::string& path) {
        return ExportKotlin(scene, 1.0f, path, form);
    });
}
BENCHMARK(KotlinToFile)->Arg(AnimationFormMatrices)->Arg(AnimationFormNone)
    ->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
