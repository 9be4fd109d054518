// One frame of the 3D view on an offscreen llvmpipe context (pose, skin, draw, read back) and
// one pick, for generated models of growing size. Playback redraws every 30 ms.
#include "glsupport/OffscreenView.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "viewport/SceneBuilders.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kBones = 10;

// A grid of about `faces` quads, cut into kBones strips, each bound to one bone of a chain;
// every bone turns a little at the current frame.
void BuildScene(int faces)
{
    const int n = static_cast<int>(std::lround(std::sqrt(static_cast<double>(faces)))) + 1;
    CModel grid = MakeGridModel(n, -150, 150, -150, 150, 0);
    for (std::size_t i = 0; i < grid.m_vertices.size(); ++i) {
        const int row = static_cast<int>(i) / n;
        grid.m_vertices[i].m_boneIndex = row * kBones / n;
    }
    grid.ResetDeformedVertices();
    g_scene.m_models.push_back(grid);
    g_scene.m_materials.emplace_back();
    for (int b = 0; b < kBones; ++b) {
        const float y0 = 150.0f - 300.0f * b / kBones;
        CBone bone = MakeBone(b, b - 1, CVector(0, y0, 0), CVector(0, y0 - 300.0f / kBones, 0));
        bone.m_animations[0][g_currentFrame].m_rotate = CVector(2, 3, 1);
        g_scene.m_bones.push_back(bone);
    }
    g_scene.BuildBoneVertexLists();
    g_scene.m_selectedBone = 3;
}

void RenderFrame(benchmark::State& state)
{
    OffscreenView view(kWidth, kHeight);
    if (!view.ok()) {
        state.SkipWithError("no offscreen context");
        return;
    }
    BuildScene(static_cast<int>(state.range(0)));
    g_scene.m_editMode = EditModeTranslate;
    std::vector<unsigned char> pixels(static_cast<std::size_t>(kWidth) * kHeight * 4);
    for (auto _ : state) {
        g_scene.RenderScene();
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        benchmark::DoNotOptimize(pixels.data());
    }
    state.counters["faces"] = static_cast<double>(g_scene.m_models[0].m_faces.size());
}

// One pick at the centre of the view in the given edit mode.
void PickInMode(benchmark::State& state, std::int32_t editMode)
{
    OffscreenView view(kWidth, kHeight);
    if (!view.ok()) {
        state.SkipWithError("no offscreen context");
        return;
    }
    BuildScene(static_cast<int>(state.range(0)));
    g_scene.m_editMode = editMode;
    g_scene.RenderScene();
    for (auto _ : state)
        benchmark::DoNotOptimize(g_scene.Pick(kWidth / 2, kHeight / 2));
}

void PickVertex(benchmark::State& state) { PickInMode(state, EditModeVertexSelect); }
void PickGizmo(benchmark::State& state) { PickInMode(state, EditModeTranslate); }

}  // namespace

BENCHMARK(RenderFrame)->Arg(10000)->Arg(20000)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(PickVertex)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(PickGizmo)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
