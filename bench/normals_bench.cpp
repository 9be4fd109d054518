// Smoothed normals of a large generated model: a wavy height field of about a million
// vertices and a million quadrilaterals.
#include "scene/CCentigrade.h"
#include "scene/CModel.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cmath>
#include <cstdint>

namespace {

constexpr std::int32_t kSide = 1001;  // vertices per row: 1,002,001 vertices, 1,000,000 quads

// Time spent in the kernel, mostly in the page faults of newly allocated memory, and the
// faults themselves: on a virtual machine they can cost as much as the computation.
struct KernelTime {
    double seconds = 0;
    long faults = 0;
    static KernelTime Now()
    {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        return {static_cast<double>(usage.ru_stime.tv_sec) + static_cast<double>(usage.ru_stime.tv_usec) * 1e-6,
                usage.ru_minflt};
    }
};

CModel MakeHeightField(std::int32_t side)
{
    CModel model;
    model.m_smoothingAngle = 59.0f;
    model.m_vertices.reserve(static_cast<std::size_t>(side) * side);
    for (std::int32_t row = 0; row < side; ++row)
        for (std::int32_t col = 0; col < side; ++col) {
            const float x = static_cast<float>(col) * 10.0f;
            const float z = static_cast<float>(row) * 10.0f;
            // Ridges steep enough that some neighbouring faces fall outside the angle.
            const float y = 40.0f * std::sin(x * 0.05f) * std::cos(z * 0.031f) + 8.0f * std::sin(x * 0.9f);
            model.m_vertices.emplace_back(x, y, z);
        }
    model.m_faces.resize(static_cast<std::size_t>(side - 1) * (side - 1));
    std::size_t f = 0;
    for (std::int32_t row = 0; row + 1 < side; ++row)
        for (std::int32_t col = 0; col + 1 < side; ++col) {
            const std::int32_t v = row * side + col;
            model.m_faces[f++].m_indices = {v, v + side, v + side + 1, v + 1};
        }
    return model;
}

// The first computation after loading: every list is allocated anew.
void RecomputeNewModel(benchmark::State& state)
{
    const CModel source = MakeHeightField(kSide);
    CCentigrade scene;
    double kernelSeconds = 0;
    long faults = 0;
    for (auto _ : state) {
        state.PauseTiming();
        scene.m_models.assign(1, source);
        const KernelTime before = KernelTime::Now();
        state.ResumeTiming();
        scene.RecomputeNormals();
        benchmark::DoNotOptimize(scene.m_models[0].m_vertexNormals.data());
        state.PauseTiming();
        const KernelTime after = KernelTime::Now();
        kernelSeconds += after.seconds - before.seconds;
        faults += after.faults - before.faults;
        state.ResumeTiming();
    }
    state.counters["quads"] = static_cast<double>(source.m_faces.size());
    state.counters["kernel_ms"] = kernelSeconds * 1e3 / static_cast<double>(state.iterations());
    state.counters["page_faults"] = static_cast<double>(faults) / static_cast<double>(state.iterations());
}

// Registered first and run once, so that it runs in a fresh process: all the memory the
// lists take (about 400 MB) is new to the process and faulted in page by page.
void BM_RecomputeNormalsNewModelNewMemory(benchmark::State& state) { RecomputeNewModel(state); }
BENCHMARK(BM_RecomputeNormalsNewModelNewMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

// Later new models reuse memory the allocator already holds from the earlier ones.
void BM_RecomputeNormalsNewModel(benchmark::State& state) { RecomputeNewModel(state); }
BENCHMARK(BM_RecomputeNormalsNewModel)->Unit(benchmark::kMillisecond)->Iterations(5);

// A change of the smoothing angle: the lists are rebuilt in the storage already there.
void BM_RecomputeNormalsAgain(benchmark::State& state)
{
    CCentigrade scene;
    scene.m_models.push_back(MakeHeightField(kSide));
    scene.RecomputeNormals();
    for (auto _ : state) {
        scene.RecomputeNormals();
        benchmark::DoNotOptimize(scene.m_models[0].m_vertexNormals.data());
    }
}
BENCHMARK(BM_RecomputeNormalsAgain)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
