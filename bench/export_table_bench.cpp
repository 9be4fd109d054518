// Speed of every export of the table on the big scene of the export benchmarks: each type in
// every animation form it takes (the forms the options dialog offers), written to a file the
// way the editor writes it. Messages an export gives (a class name the file name can't be) are
// caught, not shown. Beside each export, its baseline: the same bytes written with fwrite and
// flushed to disk as the export's file is ("Fwrite/WebGL/none", ...).
#include "ExportBenchScene.h"
#include "export/Exporters.h"
#include "platform/Messages.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

void ExportTypeToFile(benchmark::State& state, const ExporterInfo* info, ExportOptions options)
{
    CapturingMessageSink messages;
    const std::string extension(info->pattern.substr(1));
    exportbench::ExportToFile(state, extension, [&](const CCentigrade& scene, const std::string& path) {
        return info->function(scene, path, options);
    });
}

// Writes the bytes the export gives with one fwrite, then flushes them to disk as an
// export's file is flushed before it takes its place.
void FwriteSameBytes(benchmark::State& state, const ExporterInfo* info, ExportOptions options)
{
    CapturingMessageSink messages;
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("kmx-fwrite-bench-" + std::to_string(::getpid()) + std::string(info->pattern.substr(1))))
                                 .string();
    const ExportResult result = info->function(exportbench::BigExportScene(), path, options);
    if (!result.ok) {
        state.SkipWithError(result.error.c_str());
        return;
    }
    std::string bytes;
    {
        std::ifstream in(result.path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::filesystem::remove(result.path);
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fflush(file) != 0 ||
            ::fsync(::fileno(file)) != 0) {
            state.SkipWithError("could not write the file");
            if (file)
                std::fclose(file);
            break;
        }
        std::fclose(file);
        std::filesystem::remove(path);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes.size()) * static_cast<std::int64_t>(state.iterations()));
}

// One benchmark per type and form, each followed by its baseline: "Collada/matrices",
// "Fwrite/Collada/matrices", "Stage3D/none", ...
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
            benchmark::RegisterBenchmark(("Fwrite/" + name).c_str(), FwriteSameBytes, &info, options)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(3)
                ->UseRealTime();
        }
    }
    return true;
}();

}  // namespace
