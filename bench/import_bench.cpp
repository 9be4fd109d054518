// Reading a large model file: about 1,000,000 vertices and 1,000,000 quads with materials and
// UVs on every face (roughly 150 MB of text), through the reader and the object merge.
#include "LargeModelFile.h"
#include "platform/Messages.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>

namespace {

// Messages, should the textures not be found, are dropped.
class QuietSink : public IMessageSink {
public:
    MessageResult Show(const std::string&, MessageButtons, MessageIcon) override { return MessageResult::Ok; }
};

// Arg 0: the import alone. Arg 1: what opening the model costs the user, the import and then
// the normals, whose share is reported on its own.
void BM_ImportLargeModel(benchmark::State& state)
{
    const bool withNormals = state.range(0) != 0;
    const std::string& path = benchdata::LargeModelPath();
    QuietSink quiet;
    IMessageSink* previous = SetMessageSink(&quiet);
    const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(path));
    std::filesystem::current_path(std::filesystem::path(path).parent_path());
    g_fileVersion = kVersion390;
    double normalsSeconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        g_scene.ResetScene();
        state.ResumeTiming();
        if (!g_scene.ImportMqo(path))
            state.SkipWithError("import failed");
        if (withNormals) {
            const auto start = std::chrono::steady_clock::now();
            g_scene.RecomputeNormals();
            normalsSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        }
        benchmark::DoNotOptimize(g_scene.m_models.back().m_faces.size());
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["vertices"] = static_cast<double>(g_scene.m_models.back().m_vertices.size());
    state.counters["faces"] = static_cast<double>(g_scene.m_models.back().m_faces.size());
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
    if (withNormals)
        state.counters["normals_ms"] = 1000.0 * normalsSeconds / static_cast<double>(state.iterations());
    g_scene.ResetScene();
    SetMessageSink(previous);
}
BENCHMARK(BM_ImportLargeModel)->ArgName("normals")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

}  // namespace
