// Baked bone matrices for the exporters: poses a copy of the scene's skeleton for one
// animation and frame on the core's matrix stack and gives every bone's world matrix. The
// scene is never touched: the view's bone matrices and deformed vertices stay as they were,
// and no rendering context is needed.
#pragma once

#include "platform/MatrixStack.h"
#include "scene/CBone.h"
#include "scene/CModel.h"

#include <array>
#include <cstdint>
#include <vector>

class CCentigrade;

// The four posing routines; each exporter uses a fixed one.
enum class PoseRoutine {
    PoseAndSkin,          // weights blended with the parent (the Metasequoia bone export)
    PoseAndSkinRigid,     // every vertex follows its own bone (the engine exports)
    PoseAndSkinMirrored,  // Y and Z mirrored (the ActionScript 3 export)
    PoseBones,            // matrices only (the CSV export)
};

class BoneBaker {
public:
    using Matrix = std::array<float, 16>;  // column-major, translation in 12, 13, 14

    // Copies the skeleton; scale is the export scale, which goes into every translation.
    BoneBaker(const CCentigrade& scene, PoseRoutine routine, float scale);

    std::size_t BoneCount() const { return m_bones.size(); }
    // Number of samples bone holds for animation (0 for an animation or bone it lacks).
    std::int32_t FrameCount(std::int32_t animation, std::size_t bone) const;
    // The frame count of animation that bone 0 holds (0 without bones).
    std::int32_t FrameCount(std::int32_t animation) const { return FrameCount(animation, 0); }

    // Poses every bone for (animation, frame) as the view would with an identity model-view
    // matrix, and returns the world matrices in bone order. For a frame that some bone of
    // the animation holds, a bone that holds none there is posed with the rest pose; a bone
    // that no root reaches keeps the identity.
    const std::vector<Matrix>& Pose(std::int32_t animation, std::int32_t frame);

    // Poses every frame of animation that some bone holds, once each, for writers that go
    // bone by bone: frame f's matrices are out[f * BoneCount() + bone]. Returns the number
    // of frames.
    std::int32_t PoseEveryFrame(std::int32_t animation, std::vector<Matrix>& out);

private:
    PoseRoutine m_routine;
    float m_scale;
    std::vector<CBone> m_bones;                // scratch skeleton: samples padded, no bound vertices
    std::vector<std::vector<std::int32_t>> m_frameCounts;  // [bone][animation] as in the scene
    CModel m_model;                            // scratch model: nothing to skin
    MatrixStack m_stack;
    std::vector<Matrix> m_matrices;
};
