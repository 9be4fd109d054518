// A polygon of the model file: 3 or 4 corners, or 2 for an edge.
#pragma once

#include "scene/CNormal.h"
#include "scene/CUV.h"
#include "scene/CVector.h"

#include <cstdint>
#include <vector>

class CArchive;

class CFace {
public:
    void Serialize(CArchive& ar);

    std::int32_t m_material = 0;           // material index, drawn through the animation's material map
    std::vector<std::int32_t> m_indices;    // corner vertex indices
    CVector m_normal;                       // face normal
    std::vector<CUV> m_uvs;                 // one per corner
    std::vector<CNormal> m_cornerNormals;   // one smoothed normal per corner

    // Triangles of a quadrilateral: fill this face with corners 0, 1, 2 (0, 2, 3) of the
    // source and their UVs, the source's material and face normal, keep this face's corner
    // normals, and return a copy. Corners or UVs the source lacks are left out.
    CFace MakeFirstTriangle(const CFace& source);
    CFace MakeSecondTriangle(const CFace& source);

    // Copies for merging objects: material and UVs kept, corner indices plus offset; the
    // mirrored copy reverses the corners and their UVs. Normals as a new face has them.
    static CFace MakeOffsetCopy(const CFace& source, std::int32_t offset);
    static CFace MakeMirroredCopy(const CFace& source, std::int32_t offset);
};
