// The faces the mesh exporters write: three or four corners, each naming a vertex of the
// model. Two-corner lines, larger polygons and faces that name a vertex the model lacks are
// skipped alike by every writer, so that the counts and indices of a file agree.
#pragma once

#include "scene/CFace.h"

#include <cstddef>
#include <cstdint>

inline bool IsExportableFace(const CFace& face, std::size_t vertexCount)
{
    const std::size_t corners = face.m_indices.size();
    if (corners != 3 && corners != 4)
        return false;
    for (const std::int32_t v : face.m_indices)
        if (v < 0 || static_cast<std::size_t>(v) >= vertexCount)
            return false;
    return true;
}
