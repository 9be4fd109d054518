// Opening a large model file (1,000,000 vertices, about 150 MB) as the user meets it. Every
// measurement runs in a fresh process (this program started again as a child), so that its
// peak resident memory is that of the one open alone:
//   normals: the import and the smoothed normals;
//   frame: with the view's context made beforehand, the import, what the document does after
//     it (deformed copy, bone lists, material maps, normals) and the first frame, drawn and
//     finished. The first frame and the one after it are also reported alone.
// Times are the child's own from the start of the import; peaks are the child's peak resident
// set at the end of what is measured (the whole child's, context included, for the frame).
// time_ratio and peak_ratio compare the two.
#include "ChildRun.h"
#include "LargeModelFile.h"
#include "glsupport/OffscreenView.h"
#include "platform/Messages.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kChildFlag = "--open-child";
constexpr int kWidth = 1024;
constexpr int kHeight = 576;

class QuietSink : public IMessageSink {
public:
    MessageResult Show(const std::string&, MessageButtons, MessageIcon) override { return MessageResult::Ok; }
};

double Now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// What a child measured.
struct Figures {
    double seconds = 0;       // import to the end of what is measured
    double peakMegabytes = 0;  // at the end of what is measured
    double firstFrame = 0;     // seconds, the first frame alone
    double nextFrame = 0;      // seconds, the frame after it
};

// The child: opens the model and prints its figures on one line.
int RunChild(std::string_view mode, const std::string& path)
{
    QuietSink quiet;
    SetMessageSink(&quiet);
    const bool frame = mode == "frame";
    std::unique_ptr<OffscreenView> view;
    if (frame) {
        view = std::make_unique<OffscreenView>(kWidth, kHeight);
        if (!view->ok())
            return 2;
        // The editor has drawn its empty view before a file is opened.
        g_scene.RenderScene();
        glFinish();
    }
    std::filesystem::current_path(std::filesystem::path(path).parent_path());
    g_fileVersion = kVersion390;
    Figures figures;
    const double start = Now();
    if (!g_scene.ImportMqo(path))
        return 3;
    if (frame) {
        g_scene.ResetDeformedVertices();
        g_scene.BuildBoneVertexLists();
        g_scene.ResetMaterialMaps();
    }
    g_scene.RecomputeNormals();
    if (frame) {
        const double opened = Now();
        g_scene.RenderScene();
        glFinish();
        const double drawn = Now();
        figures.firstFrame = drawn - opened;
        figures.seconds = drawn - start;
        figures.peakMegabytes = PeakMegabytes();
        g_scene.RenderScene();
        glFinish();
        figures.nextFrame = Now() - drawn;
    } else {
        figures.seconds = Now() - start;
        figures.peakMegabytes = PeakMegabytes();
    }
    std::printf("%.6f %.3f %.6f %.6f\n", figures.seconds, figures.peakMegabytes, figures.firstFrame,
                figures.nextFrame);
    return 0;
}

// Runs this program as a child in the given mode; its figures, and the whole child's peak
// resident set in megabytes.
bool MeasureInChild(const std::string& mode, Figures& figures, double& processPeak)
{
    const std::string& path = benchdata::LargeModelPath();
    const std::optional<ChildRun> run = path.empty() ? std::nullopt : RunSelf({std::string(kChildFlag), mode, path});
    if (!run)
        return false;
    processPeak = run->peakMegabytes;
    return std::sscanf(run->output.c_str(), "%lf %lf %lf %lf", &figures.seconds, &figures.peakMegabytes,
                       &figures.firstFrame, &figures.nextFrame) == 4;
}

// Every iteration opens the model twice, one fresh process after the other, so that a
// machine busy with other work slows both alike: the time is that of the open to the first
// frame; the counters are averages.
void OpenLargeModel(benchmark::State& state)
{
    using benchmark::Counter;
    constexpr std::array<const char*, 9> kNames = {"normals_ms",          "normals_peak_MB",
                                                   "frame_ms",            "frame_peak_MB",
                                                   "frame_process_peak_MB", "first_frame_alone_ms",
                                                   "next_frame_ms",       "time_ratio",
                                                   "peak_ratio"};
    std::array<double, kNames.size()> sums{};
    int iteration = 0;
    for (auto _ : state) {
        Figures normals, frame;
        double normalsProcessPeak = 0, frameProcessPeak = 0;
        // In turn first, so that neither gains by its place.
        const bool normalsFirst = iteration++ % 2 == 0;
        if (!MeasureInChild(normalsFirst ? "normals" : "frame", normalsFirst ? normals : frame,
                            normalsFirst ? normalsProcessPeak : frameProcessPeak) ||
            !MeasureInChild(normalsFirst ? "frame" : "normals", normalsFirst ? frame : normals,
                            normalsFirst ? frameProcessPeak : normalsProcessPeak)) {
            state.SkipWithError("a child failed (no model file or no offscreen context?)");
            return;
        }
        state.SetIterationTime(frame.seconds);
        const std::array<double, kNames.size()> values = {
            1e3 * normals.seconds,           normals.peakMegabytes, 1e3 * frame.seconds,
            frame.peakMegabytes,             frameProcessPeak,      1e3 * frame.firstFrame,
            1e3 * frame.nextFrame,           frame.seconds / normals.seconds,
            frame.peakMegabytes / normals.peakMegabytes};
        for (std::size_t i = 0; i < sums.size(); ++i)
            sums[i] += values[i];
    }
    for (std::size_t i = 0; i < sums.size(); ++i)
        state.counters[kNames[i]] = Counter(sums[i], Counter::kAvgIterations);
}

}  // namespace

BENCHMARK(OpenLargeModel)->UseManualTime()->Iterations(4)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (argc == 4 && argv[1] == kChildFlag)
        return RunChild(argv[2], argv[3]);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
