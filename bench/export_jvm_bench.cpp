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

using Entry = ExportResult (*)(const CCentigrade&, float, const std::string&, ExportAnimationForm);

void ToFile(benchmark::State& state, Entry entry, const char* extension)
{
    const auto form = static_cast<ExportAnimationForm>(state.range(0));
    QuietMessages quiet;
    exportbench::ExportToFile(state, extension, [entry, form](const CCentigrade& scene, const std::string& path) {
        return entry(scene, 1.0f, path, form);
    });
}
BENCHMARK_CAPTURE(ToFile, LumaFold3D, &ExportLumaFold3D, ".java")
    ->Arg(AnimationFormMatrices)->Arg(AnimationFormNone)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK_CAPTURE(ToFile, VantaForm3D, &ExportVantaForm3D, ".java")
    ->Arg(AnimationFormMatrices)->Arg(AnimationFormNone)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK_CAPTURE(ToFile, Kotlin, &ExportKotlin, ".kt")
    ->Arg(AnimationFormMatrices)->Arg(AnimationFormNone)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
