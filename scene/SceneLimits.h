// How much one scene may hold: far above any real scene, so that a file of a few megabytes
// cannot make the readers (and the panes that list what they read) allocate gigabytes. Scene
// files past a limit are refused as malformed; the model reader refuses a model that would
// take the scene past one.
#pragma once

#include <cstdint>

inline constexpr std::int32_t kMaxModels = 65536;          // stored models of a scene file
inline constexpr std::int32_t kMaxBones = 65536;
inline constexpr std::int32_t kMaxAnimationNames = 65536;
inline constexpr std::int32_t kMaxAnimationsPerBone = 65536;
inline constexpr std::int32_t kMaxMaterialMaps = 65536;    // and entries per map
inline constexpr std::int32_t kMaxMaterials = 65536;
// Each string of a scene file holds at most CArchive::kMaxStringBytes (platform/Archive.h).
