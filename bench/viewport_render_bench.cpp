// One frame of the 3D view on an offscreen llvmpipe context (pose, skin, draw, read back), one
// pick and what a binding click does after its pick, for generated models of growing size.
// Playback redraws every 30 ms.
#include "glsupport/OffscreenView.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "viewport/GizmoTables.h"
#include "viewport/SceneBuilders.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kBones = 10;

// A grid of about `faces` quads, cut into `bones` strips, each bound to one bone of a chain;
// every bone turns a little at the current frame.
void BuildScene(int faces, int bones = kBones)
{
    const int n = static_cast<int>(std::lround(std::sqrt(static_cast<double>(faces)))) + 1;
    CModel grid = MakeGridModel(n, -150, 150, -150, 150, 0);
    for (std::size_t i = 0; i < grid.m_vertices.size(); ++i) {
        const int row = static_cast<int>(i) / n;
        grid.m_vertices[i].m_boneIndex = static_cast<std::int32_t>(static_cast<std::int64_t>(row) * bones / n);
    }
    grid.ResetDeformedVertices();
    g_scene.m_models.push_back(grid);
    g_scene.m_materials.emplace_back();
    for (int b = 0; b < bones; ++b) {
        const float y0 = 150.0f - 300.0f * b / bones;
        CBone bone = MakeBone(b, b - 1, CVector(0, y0, 0), CVector(0, y0 - 300.0f / bones, 0));
        bone.m_animations[0][g_currentFrame].m_rotate = CVector(2, 3, 1);
        g_scene.m_bones.push_back(bone);
    }
    g_scene.BuildBoneVertexLists();
    g_scene.m_selectedBone = 3;
}

// Every display switch on (the first argument: faces), or with the second argument 0 the
// shaded model alone: vertices and edges hidden, bones and grid shown.
void RenderFrame(benchmark::State& state)
{
    OffscreenView view(kWidth, kHeight);
    if (!view.ok()) {
        state.SkipWithError("no offscreen context");
        return;
    }
    BuildScene(static_cast<int>(state.range(0)));
    g_scene.m_editMode = EditModeTranslate;
    g_scene.m_showVertices = g_scene.m_showEdges = state.range(1) != 0;
    std::vector<unsigned char> pixels(static_cast<std::size_t>(kWidth) * kHeight * 4);
    for (auto _ : state) {
        g_scene.RenderScene();
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        benchmark::DoNotOptimize(pixels.data());
    }
    state.counters["faces"] = static_cast<double>(g_scene.m_models[0].m_faces.size());
}

// One pick at the centre of the view in the given edit mode (arguments: faces, bones).
void PickInMode(benchmark::State& state, std::int32_t editMode)
{
    OffscreenView view(kWidth, kHeight);
    if (!view.ok()) {
        state.SkipWithError("no offscreen context");
        return;
    }
    BuildScene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    g_scene.m_editMode = editMode;
    g_scene.RenderScene();
    for (auto _ : state)
        benchmark::DoNotOptimize(g_scene.Pick(kWidth / 2, kHeight / 2));
}

void PickVertex(benchmark::State& state) { PickInMode(state, EditModeVertexSelect); }
void PickGizmo(benchmark::State& state) { PickInMode(state, EditModeTranslate); }

// What a binding click in vertex mode does once its pick has found a vertex: bind it to the
// selected bone and rebuild the bone vertex lists (arguments: faces, bones). No context is
// needed.
void BindAfterPick(benchmark::State& state)
{
    g_scene.ResetScene();
    BuildScene(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    g_scene.m_editMode = EditModeVertexSelect;
    const std::size_t vertices = g_scene.m_models[0].m_vertices.size();
    // The hit record of one vertex: name count, two depths, names.
    const unsigned hit[6] = {3, 0, 0, PickNameVertex, 0, static_cast<unsigned>(vertices / 2)};
    std::int32_t bone = 0;
    for (auto _ : state) {
        g_scene.m_selectedBone = bone;
        bone = (bone + 1) % static_cast<std::int32_t>(state.range(1));
        g_scene.ProcessPickHits(1, hit, 6);
    }
    state.counters["vertices"] = static_cast<double>(vertices);
}

}  // namespace

// 998,001 faces: a grid of 1,000 x 1,000 vertices.
constexpr int kMillionVertexFaces = 999 * 999;

BENCHMARK(RenderFrame)
    ->ArgsProduct({{10000, 30000, 100000, 300000}, {1, 0}})
    ->ArgNames({"faces", "points_and_edges"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(PickVertex)
    ->Args({10000, kBones})
    ->Args({100000, kBones})
    ->Args({kMillionVertexFaces, 1024})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(PickGizmo)->Args({10000, kBones})->Args({100000, kBones})->Unit(benchmark::kMillisecond);
BENCHMARK(BindAfterPick)->Args({kMillionVertexFaces, 1024})->Unit(benchmark::kMillisecond);
