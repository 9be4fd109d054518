// Binds every vertex of a scene to the bone whose head is nearest, and builds the bones'
// vertex lists: a plausible rig for any model with bones.
#pragma once

#include "scene/CCentigrade.h"

#include <cfloat>

namespace testsupport {

inline void BindToNearestBoneHeads(CCentigrade& scene)
{
    for (CModel& model : scene.m_models) {
        for (CVector& vertex : model.m_vertices) {
            float best = FLT_MAX;
            for (const CBone& bone : scene.m_bones) {
                const CVector d = vertex.Subtract(bone.m_head);
                if (CVector::Dot(d, d) < best) {
                    best = CVector::Dot(d, d);
                    vertex.m_boneIndex = bone.m_id;
                }
            }
        }
    }
    scene.BuildBoneVertexLists();
}

}  // namespace testsupport
