// The bone a vertex is exported with. A vertex bound to a bone the scene has keeps it; a
// vertex without a bone, or naming one past the bone list, is unbound: every bone export
// writes it as its format writes an unbound vertex and shows the unassigned-vertices warning
// once the file is complete.
#pragma once

#include "scene/CVector.h"

#include <cstddef>
#include <cstdint>
#include <optional>

inline std::optional<std::int32_t> ExportedBone(const CVector& vertex, std::size_t boneCount)
{
    if (vertex.m_boneIndex < 0 || static_cast<std::size_t>(vertex.m_boneIndex) >= boneCount)
        return std::nullopt;
    return vertex.m_boneIndex;
}
