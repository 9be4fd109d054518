// Scene files of empty records, and files of a few megabytes whose records, read naively,
// cost gigabytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// Models without vertices, empty names, maps of zeros, materials of empty strings, bones of
// `animations` animations of `samples` samples (0: stored empty), a path of `pathBytes`.
struct EmptyRecords {
    float version = 3.92f;  // or 3.5: a file without materials
    std::int32_t models = 0;
    std::uint32_t pathBytes = 0;
    std::int32_t names = 1;
    std::int32_t maps = 0;
    std::int32_t mapEntries = 0;
    std::int32_t materials = 0;
    std::int32_t bones = 0;
    std::int32_t animations = 1;
    std::int32_t samples = 1;
};
// The file's bytes; of a model path longer than 64 MiB only its length.
std::vector<std::uint8_t> SceneOfEmptyRecords(const EmptyRecords& counts);

enum class CostlyFile {
    BonesWithEmptyAnimations,  // 10^6 bones, each one animation of sample count 0 (9 MB)
    AnimationsWithoutSamples,  // one bone with 10^6 animations of sample count 0 (4 MB)
    ModelsWithoutVertices,     // 5 x 10^6 models without vertices (20 MB)
    EmptyAnimationNames,       // 10^7 empty animation names (10 MB)
    LongModelPath,             // a model path of 2^31 bytes: a sparse file of 3 GiB
    ModelOfManyMaterials,      // a model file of 10^6 rows `"m123" col(1 1 1 1)` (23 MB)
};
inline constexpr CostlyFile kCostlyFiles[] = {
    CostlyFile::BonesWithEmptyAnimations, CostlyFile::AnimationsWithoutSamples, CostlyFile::ModelsWithoutVertices,
    CostlyFile::EmptyAnimationNames,      CostlyFile::LongModelPath,            CostlyFile::ModelOfManyMaterials,
};

// Writes one into the folder (ending in '/'); returns its path.
std::string WriteCostlyFile(CostlyFile kind, const std::string& folder);

}  // namespace testsupport
