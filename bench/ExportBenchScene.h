// The big scene of the export benchmarks: 1,000,000 vertices in a 1000 x 1000 grid of
// textured quads, 64 bones in a chain, one animation of 100 frames; and the measurement of a
// whole export to a file. Speeds are reported as bytes of output per second.
#pragma once

#include "export/ExportCommon.h"
#include "scene/CCentigrade.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace exportbench {

inline constexpr int kGrid = 1000;
inline constexpr int kBones = 64;
inline constexpr int kFrames = 100;

inline const CCentigrade& BigExportScene()
{
    static const CCentigrade scene = [] {
        CCentigrade s;
        CModel model;
        model.m_name = "Grid";
        model.m_vertices.reserve(static_cast<std::size_t>(kGrid) * kGrid);
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x) {
                CVector v(x * 0.37f - 185.0f, y * 0.41f, (x * y % 97) * 0.013f - 0.6f);
                v.m_boneIndex = (y * kBones) / kGrid;
                v.m_weight = (x % 4) == 0 ? 0.75f : 1.0f;
                model.m_vertices.push_back(v);
            }
        model.m_faces.reserve(static_cast<std::size_t>(kGrid - 1) * (kGrid - 1));
        for (int y = 0; y + 1 < kGrid; ++y)
            for (int x = 0; x + 1 < kGrid; ++x) {
                CFace f;
                const int i = y * kGrid + x;
                f.m_indices = {i, i + 1, i + kGrid + 1, i + kGrid};
                f.m_material = (x / 100) % 3;
                for (int c = 0; c < 4; ++c) {
                    CUV uv;
                    uv.m_u = static_cast<float>(x + (c == 1 || c == 2)) / kGrid;
                    uv.m_v = static_cast<float>(y + (c >= 2)) / kGrid;
                    f.m_uvs.push_back(uv);
                }
                model.m_faces.push_back(std::move(f));
            }
        s.m_models.push_back(std::move(model));
        for (int m = 0; m < 3; ++m) {
            CMaterial material(m);
            material.m_texture = "textures\\skin" + std::to_string(m) + ".png";
            s.m_materials.push_back(material);
        }
        s.m_animationNames = {"Walk"};
        s.m_materialMaps = {{0, 1, 2}};
        for (int b = 0; b < kBones; ++b) {
            CBone bone;
            bone.m_id = b;
            bone.m_parent = b - 1;
            bone.m_head = CVector(0, b * 6.4f, 0);
            bone.m_animations.assign(1, std::vector<CAnimation>(kFrames));
            for (int f = 0; f < kFrames; ++f) {
                CAnimation& sample = bone.m_animations[0][static_cast<std::size_t>(f)];
                sample.m_rotate = CVector(f * 0.5f, b * 0.25f, -f * 0.125f);
                sample.m_translate = CVector(0, f * 0.01f, 0);
            }
            s.m_bones.push_back(std::move(bone));
        }
        return s;
    }();
    return scene;
}

// One whole export to a file in the temporary folder per iteration, including the flush to
// disk and the rename. export_ is any callable (scene, path) -> ExportResult.
template <typename Export>
void ExportToFile(benchmark::State& state, const std::string& extension, Export export_)
{
    const CCentigrade& scene = BigExportScene();
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("kmx-export-bench-" + std::to_string(::getpid()) + extension)).string();
    std::uint64_t bytes = 0;
    for (auto _ : state) {
        const ExportResult result = export_(scene, path);
        if (!result.ok) {
            state.SkipWithError(result.error.c_str());
            break;
        }
        bytes += std::filesystem::file_size(result.path.empty() ? path : result.path);
        std::filesystem::remove(result.path.empty() ? path : result.path);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    state.counters["file_MB"] = static_cast<double>(bytes) / static_cast<double>(state.iterations()) / 1e6;
}

}  // namespace exportbench
