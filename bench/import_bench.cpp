// Reading a large model file: about 1,000,000 vertices and 1,000,000 quads with materials and
// UVs on every face (roughly 150 MB of text), through the reader and the object merge.
#include "platform/Messages.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

namespace {

constexpr int kColumns = 1000;
constexpr int kRows = 1000;

// The model file, written once per run to the temporary folder.
const std::string& LargeModelPath()
{
    static const std::string path = [] {
        const std::string file = (std::filesystem::temp_directory_path() /
                                  ("kmx-import-bench-" + std::to_string(::getpid()) + ".mqo"))
                                     .string();
        std::FILE* out = std::fopen(file.c_str(), "wb");
        std::fputs("Metasequoia Document\r\nFormat Text Ver 1.0\r\n\r\nScene {\r\n\tpos 0 0 1500\r\n}\r\n"
                   "Material 4 {\r\n", out);
        for (int m = 0; m < 4; ++m)
            std::fprintf(out, "\t\"mat%d\" shader(3) col(0.800 0.700 0.600 1.000) dif(0.800) amb(0.600) emi(0.000) "
                              "spc(0.000) power(5.00) tex(\"skin%d.png\")\r\n", m, m);
        std::fputs("}\r\nObject \"grid\" {\r\n\tdepth 0\r\n\tfacet 59.5\r\n", out);
        const int vertices = kColumns * kRows;
        std::mt19937 random(1);
        std::uniform_real_distribution<float> jitter(-1.0f, 1.0f);
        std::fprintf(out, "\tvertex %d {\r\n", vertices);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kColumns; ++c)
                std::fprintf(out, "\t\t%.4f %.4f %.4f\r\n", c * 1.5f + jitter(random), 100.0f * jitter(random),
                             r * -1.25f + jitter(random));
        const int faces = vertices;
        std::fprintf(out, "\t}\r\n\tface %d {\r\n", faces);
        for (int f = 0; f < faces; ++f) {
            const int r = (f / kColumns) % (kRows - 1), c = f % (kColumns - 1);
            const int a = r * kColumns + c;
            const float u = c / float(kColumns), v = r / float(kRows), d = 1.0f / kColumns;
            std::fprintf(out, "\t\t4 V(%d %d %d %d) M(%d) UV(%.5f %.5f %.5f %.5f %.5f %.5f %.5f %.5f)\r\n", a,
                         a + kColumns, a + kColumns + 1, a + 1, f % 4, u, v, u, v + d, u + d, v + d, u + d, v);
        }
        std::fputs("\t}\r\n}\r\nEof\r\n", out);
        std::fclose(out);
        std::atexit([] { std::filesystem::remove(LargeModelPath()); });
        return file;
    }();
    return path;
}

// Messages about the textures, which this benchmark does not provide, are dropped.
class QuietSink : public IMessageSink {
public:
    MessageResult Show(const std::string&, MessageButtons, MessageIcon) override { return MessageResult::Ok; }
};

// Arg 0: the import alone. Arg 1: what opening the model costs the user, the import and then
// the normals, whose share is reported on its own.
void BM_ImportLargeModel(benchmark::State& state)
{
    const bool withNormals = state.range(0) != 0;
    const std::string& path = LargeModelPath();
    QuietSink quiet;
    IMessageSink* previous = SetMessageSink(&quiet);
    const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(path));
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
