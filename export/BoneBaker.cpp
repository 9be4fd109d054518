#include "export/BoneBaker.h"

#include "scene/CCentigrade.h"

#include <algorithm>

BoneBaker::BoneBaker(const CCentigrade& scene, PoseRoutine routine, float scale)
    : m_routine(routine), m_scale(scale), m_bones(scene.m_bones)
{
    // The scratch skeleton: every bone starts from the identity and skins nothing, and every
    // animation holds as many samples for every bone as the longest of them (rest samples
    // fill the gap), so that posing a frame reaches every bone a root reaches.
    std::size_t animations = scene.m_animationNames.size();
    for (const CBone& bone : m_bones)
        animations = std::max(animations, bone.m_animations.size());
    std::vector<std::size_t> longest(animations, 0);
    m_frameCounts.reserve(m_bones.size());
    for (const CBone& bone : m_bones) {
        std::vector<std::int32_t> counts;
        for (std::size_t a = 0; a < bone.m_animations.size(); ++a) {
            counts.push_back(static_cast<std::int32_t>(bone.m_animations[a].size()));
            longest[a] = std::max(longest[a], bone.m_animations[a].size());
        }
        m_frameCounts.push_back(std::move(counts));
    }
    for (CBone& bone : m_bones) {
        bone.m_boundVertices.clear();
        bone.m_matrix = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
        bone.m_animations.resize(animations);
        for (std::size_t a = 0; a < animations; ++a)
            bone.m_animations[a].resize(longest[a]);
    }
    m_matrices.resize(m_bones.size());
}

std::int32_t BoneBaker::FrameCount(std::int32_t animation, std::size_t bone) const
{
    if (bone >= m_frameCounts.size() || animation < 0 ||
        static_cast<std::size_t>(animation) >= m_frameCounts[bone].size())
        return 0;
    return m_frameCounts[bone][static_cast<std::size_t>(animation)];
}

const std::vector<BoneBaker::Matrix>& BoneBaker::Pose(std::int32_t animation, std::int32_t frame)
{
    m_stack.Push();
    m_stack.LoadIdentity();
    switch (m_routine) {
    case PoseRoutine::PoseAndSkin:
        m_model.PoseAndSkin(m_stack, m_bones, -1, animation, frame, m_scale);
        break;
    case PoseRoutine::PoseAndSkinRigid:
        m_model.PoseAndSkinRigid(m_stack, m_bones, -1, animation, frame, m_scale);
        break;
    case PoseRoutine::PoseAndSkinMirrored:
        m_model.PoseAndSkinMirrored(m_stack, m_bones, -1, animation, frame, m_scale);
        break;
    case PoseRoutine::PoseBones:
        m_model.PoseBones(m_stack, m_bones, -1, animation, frame, m_scale);
        break;
    }
    m_stack.Pop();
    for (std::size_t b = 0; b < m_bones.size(); ++b)
        m_matrices[b] = m_bones[b].m_matrix;
    return m_matrices;
}

std::int32_t BoneBaker::PoseEveryFrame(std::int32_t animation, std::vector<Matrix>& out)
{
    std::int32_t frames = 0;
    for (std::size_t b = 0; b < m_bones.size(); ++b)
        frames = std::max(frames, FrameCount(animation, b));
    out.resize(static_cast<std::size_t>(frames) * m_bones.size());
    for (std::int32_t f = 0; f < frames; ++f) {
        const std::vector<Matrix>& posed = Pose(animation, f);
        std::copy(posed.begin(), posed.end(), out.begin() + static_cast<std::ptrdiff_t>(f * m_bones.size()));
    }
    return frames;
}
