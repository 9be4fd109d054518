// Binds every vertex of a scene to the bone whose segment (head to tail) is nearest, and
// builds the bones' vertex lists: a plausible rig for any model with bones.
#pragma once

#include "scene/CCentigrade.h"

#include <algorithm>
#include <cfloat>

namespace testsupport {

inline float SquaredDistanceToSegment(const CVector& p, const CVector& a, const CVector& b)
{
    const CVector ab = b.Subtract(a), ap = p.Subtract(a);
    const float length = CVector::Dot(ab, ab);
    const float t = length > 0.0f ? std::clamp(CVector::Dot(ap, ab) / length, 0.0f, 1.0f) : 0.0f;
    const CVector d(ap.m_x - t * ab.m_x, ap.m_y - t * ab.m_y, ap.m_z - t * ab.m_z);
    return CVector::Dot(d, d);
}

inline void BindToNearestBones(CCentigrade& scene)
{
    for (CModel& model : scene.m_models) {
        for (CVector& vertex : model.m_vertices) {
            float best = FLT_MAX;
            for (const CBone& bone : scene.m_bones) {
                const float distance = SquaredDistanceToSegment(vertex, bone.m_head, bone.m_tail);
                if (distance < best) {
                    best = distance;
                    vertex.m_boneIndex = bone.m_id;
                }
            }
        }
    }
    scene.BuildBoneVertexLists();
}

}  // namespace testsupport
