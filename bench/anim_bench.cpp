// Speed of posing with skinning and of key-frame in-betweening.
#include "platform/MatrixStack.h"
#include "scene/CBone.h"
#include "scene/CModel.h"
#include "scene/Globals.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

// A small deterministic generator, so every run measures the same model.
struct Lcg {
    std::uint32_t state;
    std::uint32_t Next() { return state = state * 1664525u + 1013904223u; }
    float Unit() { return static_cast<float>(Next() >> 8) / 16777216.0f; }  // [0, 1)
};

// Bones in one chain of parents, each with a pose that rotates, scales and moves.
std::vector<CBone> MakeChain(int boneCount)
{
    std::vector<CBone> bones(boneCount);
    for (int i = 0; i < boneCount; ++i) {
        CBone& bone = bones[i];
        bone.m_id = i;
        bone.m_parent = i - 1;
        bone.m_head = CVector(0.0f, 10.0f * static_cast<float>(i), 0.0f);
        CAnimation& sample = bone.m_animations[0][0];
        sample.m_translate = CVector(0.5f, 0.25f, -0.125f);
        sample.m_rotate = CVector(3.0f + static_cast<float>(i), -7.5f, 11.25f);
        sample.m_scale = CVector(1.0f, 1.01f, 0.99f);
    }
    return bones;
}

// vertexCount vertices bound in contiguous runs to the bones; every vertex has an even chance
// of a weight below 1, so the blended and the rigid case alternate unpredictably.
CModel MakeModel(std::vector<CBone>& bones, std::size_t vertexCount)
{
    CModel model;
    model.m_vertices.resize(vertexCount);
    Lcg rng{12345u};
    const std::size_t perBone = (vertexCount + bones.size() - 1) / bones.size();
    for (std::size_t i = 0; i < vertexCount; ++i) {
        CVector& v = model.m_vertices[i];
        v = CVector(rng.Unit() * 100.0f - 50.0f, rng.Unit() * 640.0f, rng.Unit() * 100.0f - 50.0f);
        v.m_boneIndex = static_cast<std::int32_t>(i / perBone);
        v.m_weight = (rng.Next() & 0x100) ? 1.0f : rng.Unit();
    }
    model.BuildBoneVertexLists(bones);
    model.ResetDeformedVertices();
    return model;
}

void BM_PoseAndSkin(benchmark::State& state)
{
    std::vector<CBone> bones = MakeChain(64);
    CModel model = MakeModel(bones, 1000000);
    for (auto _ : state) {
        MatrixStack stack;
        model.PoseAndSkin(stack, bones, -1, 0, 0, 1.0f);
        benchmark::DoNotOptimize(model.m_deformedVertices.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(model.m_vertices.size()));
}
BENCHMARK(BM_PoseAndSkin)->Unit(benchmark::kMillisecond);

// The per-bone vertex lists of a 1,000,000-vertex model over 1,024 bones (rebuilt after every
// binding click).
void BM_BuildBoneVertexLists(benchmark::State& state)
{
    std::vector<CBone> bones = MakeChain(1024);
    CModel model = MakeModel(bones, 1000000);
    for (auto _ : state) {
        model.BuildBoneVertexLists(bones);
        benchmark::DoNotOptimize(bones.back().m_boundVertices.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(model.m_vertices.size()));
}
BENCHMARK(BM_BuildBoneVertexLists)->Unit(benchmark::kMillisecond);

// 100 bones with 10 animations of 1000 frames, a key every 5 to 15 frames.
std::vector<CBone> MakeAnimatedBones()
{
    const std::int32_t savedLastFrame = g_lastFrame;
    g_lastFrame = 999;
    std::vector<CBone> bones(100);
    g_lastFrame = savedLastFrame;
    Lcg rng{777u};
    for (CBone& bone : bones) {
        bone.m_animations.resize(10, bone.m_animations[0]);
        for (std::vector<CAnimation>& samples : bone.m_animations) {
            for (std::size_t f = 0; f < samples.size(); f += 5 + rng.Next() % 11) {
                CAnimation& key = samples[f];
                key.m_key = true;
                key.m_translate = CVector(rng.Unit() * 10, rng.Unit() * 10, rng.Unit() * 10);
                key.m_rotate = CVector(rng.Unit() * 360, rng.Unit() * 360, rng.Unit() * 360);
                key.m_scale = CVector(1 + rng.Unit(), 1 + rng.Unit(), 1 + rng.Unit());
            }
        }
    }
    return bones;
}

void BM_InterpolateHermite(benchmark::State& state)
{
    std::vector<CBone> bones = MakeAnimatedBones();
    for (auto _ : state) {
        for (CBone& bone : bones)
            bone.InterpolateHermite();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 100 * 10 * 1000);
}
BENCHMARK(BM_InterpolateHermite)->Unit(benchmark::kMillisecond);

void BM_InterpolateLinear(benchmark::State& state)
{
    std::vector<CBone> bones = MakeAnimatedBones();
    for (auto _ : state) {
        for (CBone& bone : bones)
            bone.InterpolateLinear();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 100 * 10 * 1000);
}
BENCHMARK(BM_InterpolateLinear)->Unit(benchmark::kMillisecond);

}  // namespace
