// Speed of every export of the table on the big scene of the export benchmarks: each type in
// every animation form it takes (the forms the options dialog offers), written to a file the
// way the editor writes it. Messages an export gives (a class name the file name can't be) are
// caught, not shown.
#include "ExportBenchScene.h"
#include "export/Exporters.h"
#include "platform/Messages.h"

#include <string>

namespace {

void ExportTypeToFile(benchmark::State& state, const ExporterInfo* info, ExportOptions options)
{
    CapturingMessageSink messages;
    const std::string extension(info->pattern.substr(1));
    exportbench::ExportToFile(state, extension, [&](const CCentigrade& scene, const std::string& path) {
        return info->function(scene, path, options);
    });
}

// One benchmark per type and form: "ExportCollada/matrices", "ExportStage3D/none", ...
const bool g_registered = [] {
    constexpr const char* kFormNames[] = {"keys", "matrices", "none"};
    for (const ExporterInfo& info : Exporters()) {
        if (!info.function)
            continue;
        for (int form = info.restriction; form <= AnimationFormNone; ++form) {
            const ExportOptions options{1.0f, static_cast<ExportAnimationForm>(form), FlashTargetFlexSdk};
            const std::string name = std::string(info.name.substr(std::string_view("ExportType").size())) + "/" +
                                     kFormNames[form];
            benchmark::RegisterBenchmark(name.c_str(), ExportTypeToFile, &info, options)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(3)
                ->UseRealTime();
        }
    }
    return true;
}();

}  // namespace
