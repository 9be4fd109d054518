// One distinct face corner of the JavaScript model exports: everything the engine's vertex
// buffers take from a corner. Two corners with the same record share one engine vertex.
#pragma once

#include "scene/CUV.h"
#include "scene/CVector.h"

#include <cstdint>

struct CornerRecord {
    CVector m_position;              // rest vertex times the export scale
    CVector m_normal;                // the face's corner normal
    std::int32_t m_material = 0;     // the face's material index
    CUV m_uv;                        // the corner's UV, or 0, 0 when the face has none for it
    std::int32_t m_bone = -1;        // the vertex's bone (bone forms), else -1
    std::int32_t m_parentBone = -1;  // that bone's parent, -1 without a bone
    float m_weight = 0.0f;           // the vertex's weight (bone forms), else 0

    // The same corner: equal position, normal, material, UV, bone, parent and weight
    // (x, y, z only of the vectors; floats compared exactly, so 0 equals -0 and a NaN
    // equals nothing).
    bool operator==(const CornerRecord& other) const
    {
        return m_position.m_x == other.m_position.m_x && m_position.m_y == other.m_position.m_y &&
               m_position.m_z == other.m_position.m_z && m_normal.m_x == other.m_normal.m_x &&
               m_normal.m_y == other.m_normal.m_y && m_normal.m_z == other.m_normal.m_z &&
               m_material == other.m_material && m_uv.m_u == other.m_uv.m_u && m_uv.m_v == other.m_uv.m_v &&
               m_bone == other.m_bone && m_parentBone == other.m_parentBone && m_weight == other.m_weight;
    }
};
