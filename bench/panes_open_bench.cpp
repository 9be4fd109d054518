// Opening files that fill the editor's panes with many rows, as the user meets it: the real
// editor (frame, panes, 3D view) started with the file, in a fresh process per measurement
// (this program started again as a child), so that its peak resident memory is that open's
// alone. Needs a display: run it under Xvfb,
//   xvfb-run -a -s '-screen 0 1280x800x24' build/bench/panes_open_bench
// The files: a model of 65,536 materials (the most a model may hold), a scene of 65,536
// animation names, and scenes of 65,536 bones as a flat list and as one chain.
//   open_ms: from the start of the editor with the file to the window shown and idle;
//   refill_ms: the pane that shows the rows filled again from the scene, and shown;
//   frame_ms: the 3D view drawn once more;
//   peak_MB: the child's peak resident set (VmHWM) at the end.
#include "app/CAnimationView.h"
#include "app/CHierarchyView.h"
#include "app/CKinemorphixApp.h"
#include "app/CMainFrame.h"
#include "app/CMaterialView.h"
#include "app/logic/IDocumentView.h"
#include "viewport/WxKinemorphixView.h"
#include "ChildRun.h"
#include "gui/LargeListFiles.h"
#include "scene/Globals.h"
#include "support/TempFiles.h"

#include <benchmark/benchmark.h>
#include <wx/evtloop.h>
#include <wx/log.h>
#include <wx/modalhook.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kChildFlag = "--open-child";

double Now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double PeakMegabytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
    return 0;
}

// Any dialog (a refused file's message) is answered with Cancel and counted.
class CountDialogs : public wxModalDialogHook {
public:
    int m_count = 0;

protected:
    int Enter(wxDialog*) override { return ++m_count, wxID_CANCEL; }
    void Exit(wxDialog*) override {}
};

void Settle()
{
    for (int i = 0; i < 20; ++i) {
        wxTheApp->Yield(true);
        wxTheApp->ProcessIdle();
    }
    TheMainFrame().Update();
}

// The folder of the files, written once per process.
const testsupport::TempDir& Files()
{
    static testsupport::TempDir dir;
    static const bool written = [] {
        bool ok = largelists::WriteManyMaterialModel(dir.File("materials.mqo"), 65536);
        testsupport::WriteBytes(dir.File("animations.zlkx"), largelists::ManyAnimationScene(65536).data);
        testsupport::WriteBytes(dir.File("bones-flat.zlkx"), largelists::ManyBoneScene(65536, false).data);
        testsupport::WriteBytes(dir.File("bones-chain.zlkx"), largelists::ManyBoneScene(65536, true).data);
        return ok;
    }();
    (void)written;
    return dir;
}

// The child: starts the editor with the file and prints open seconds, refill seconds, frame
// seconds, peak megabytes and the number of dialogs on one line.
int RunChild(std::string_view kind, const std::string& path)
{
    testsupport::TempDir home;
    setenv("XDG_CONFIG_HOME", (home.Path() + "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home.Path() + "data").c_str(), 1);
    setenv("GSETTINGS_BACKEND", "memory", 1);
    setenv("GDK_BACKEND", "x11", 1);
    CKinemorphixApp::SetEditorStartedByOnInit(false);
    wxApp::SetInstance(new CKinemorphixApp);
    int argc = 1;
    char name[] = "panes_open_bench";
    char* argv[] = {name, nullptr};
    if (!wxEntryStart(argc, argv))
        return 2;
    wxLog::SetActiveTarget(new wxLogStderr);
    if (!wxTheApp->CallOnInit())
        return 3;
    wxEventLoop loop;
    wxEventLoopActivator activate(&loop);
    CountDialogs dialogs;
    dialogs.Register();
    const double start = Now();
    if (!TheApp().StartEditor({path}))
        return 4;
    while (!TheMainFrame().IsShownOnScreen())
        Settle();
    Settle();
    const double opened = Now();
    CMainFrame& frame = TheMainFrame();
    if (kind == "materials")
        frame.m_materialView->OnUpdate(HintDisplayChanged);
    else if (kind == "animations")
        frame.m_animationView->OnUpdate(HintDisplayChanged);
    else
        frame.m_hierarchyView->OnUpdate(HintDocumentLoaded);
    Settle();
    const double refilled = Now();
    frame.m_sceneView->Refresh(false);
    frame.m_sceneView->Update();
    const double drawn = Now();
    std::printf("%.6f %.6f %.6f %.3f %d\n", opened - start, refilled - opened, drawn - refilled, PeakMegabytes(),
                dialogs.m_count);
    std::fflush(stdout);
    // The figures are out; the editor is not taken down.
    std::error_code error;
    std::filesystem::remove_all(home.Folder(), error);
    std::_Exit(0);
}

struct Figures {
    double open = 0, refill = 0, frame = 0, peak = 0;
    int dialogs = 0;
};

bool MeasureInChild(const std::string& kind, const std::string& path, Figures& figures)
{
    const std::optional<ChildRun> run = RunSelf({std::string(kChildFlag), kind, path});
    return run && std::sscanf(run->output.c_str(), "%lf %lf %lf %lf %d", &figures.open, &figures.refill,
                              &figures.frame, &figures.peak, &figures.dialogs) == 5;
}

void OpenWithManyRows(benchmark::State& state, const std::string& kind, const std::string& file)
{
    if (!std::getenv("DISPLAY")) {
        state.SkipWithError("no display (run under xvfb-run)");
        return;
    }
    const std::string path = Files().File(file);
    double refill = 0, frame = 0, peak = 0, dialogs = 0;
    for (auto _ : state) {
        Figures figures;
        if (!MeasureInChild(kind, path, figures)) {
            state.SkipWithError("the child failed");
            return;
        }
        state.SetIterationTime(figures.open);
        refill += figures.refill;
        frame += figures.frame;
        peak = std::max(peak, figures.peak);
        dialogs += figures.dialogs;
    }
    using benchmark::Counter;
    state.counters["refill_ms"] = Counter(1e3 * refill, Counter::kAvgIterations);
    state.counters["frame_ms"] = Counter(1e3 * frame, Counter::kAvgIterations);
    state.counters["peak_MB"] = peak;
    state.counters["dialogs"] = Counter(dialogs, Counter::kAvgIterations);
}

}  // namespace

BENCHMARK_CAPTURE(OpenWithManyRows, materials_65536, std::string("materials"), std::string("materials.mqo"))
    ->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenWithManyRows, animations_65536, std::string("animations"), std::string("animations.zlkx"))
    ->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenWithManyRows, bones_flat_65536, std::string("bones"), std::string("bones-flat.zlkx"))
    ->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenWithManyRows, bones_chain_65536, std::string("bones"), std::string("bones-chain.zlkx"))
    ->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);

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
