// Undo and redo of pose edits.
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <algorithm>

namespace {

CAnimation* SampleAt(CBone& bone, std::int32_t animation, std::int32_t frame)
{
    if (animation < 0 || static_cast<std::size_t>(animation) >= bone.m_animations.size())
        return nullptr;
    std::vector<CAnimation>& samples = bone.m_animations[animation];
    if (frame < 0 || static_cast<std::size_t>(frame) >= samples.size())
        return nullptr;
    return &samples[frame];
}

// One entry: where the edit happened and every bone's sample there. A bone without that
// sample gets a reset placeholder, so the entry still holds one sample per bone.
void PushSnapshot(std::vector<CBone>& bones, std::vector<std::int32_t>& animations,
                  std::vector<std::int32_t>& frames, std::vector<std::int32_t>& editFrames,
                  std::vector<std::vector<CAnimation>>& poses)
{
    if (bones.empty())
        return;
    std::vector<CAnimation> pose;
    pose.reserve(bones.size());
    for (CBone& bone : bones) {
        const CAnimation* sample = SampleAt(bone, g_currentAnimation, g_currentFrame);
        pose.push_back(sample ? *sample : CAnimation());
    }
    animations.push_back(g_currentAnimation);
    frames.push_back(g_currentFrame);
    editFrames.push_back(g_editFrame);
    poses.push_back(std::move(pose));
}

// Copies an entry's samples (whole, key flag included) back to the current animation and
// frame; samples that no longer exist are skipped.
void RestoreSnapshot(std::vector<CBone>& bones, const std::vector<CAnimation>& pose)
{
    const std::size_t count = std::min(bones.size(), pose.size());
    for (std::size_t i = 0; i < count; ++i)
        if (CAnimation* sample = SampleAt(bones[i], g_currentAnimation, g_currentFrame))
            *sample = pose[i];
}

}  // namespace

void CCentigrade::PushUndoSnapshot()
{
    PushSnapshot(m_bones, m_undoAnimations, m_undoFrames, m_undoEditFrames, m_undoPoses);
}

void CCentigrade::PushRedoSnapshot()
{
    PushSnapshot(m_bones, m_redoAnimations, m_redoFrames, m_redoEditFrames, m_redoPoses);
}

void CCentigrade::ClearRedo()
{
    m_redoAnimations.clear();
    m_redoFrames.clear();
    m_redoEditFrames.clear();
    m_redoPoses.clear();
}

void CCentigrade::Undo()
{
    if (m_undoAnimations.empty())
        return;
    const std::size_t top = m_undoAnimations.size() - 1;
    g_currentAnimation = m_undoAnimations[top];
    g_currentFrame = m_undoFrames[top];
    g_editFrame = m_undoEditFrames[top];
    if (!m_bones.empty()) {
        PushRedoSnapshot();
        RestoreSnapshot(m_bones, m_undoPoses[top]);
    }
    g_currentFrame = g_editFrame;
    if (top > 0)
        g_currentAnimation = m_undoAnimations[top - 1];
    m_undoAnimations.pop_back();
    m_undoFrames.pop_back();
    m_undoEditFrames.pop_back();
    m_undoPoses.pop_back();

    // The edit frame may come from a longer animation than the one now current: keep the
    // current frame within the current animation.
    if (!m_bones.empty() && g_currentAnimation >= 0 &&
        static_cast<std::size_t>(g_currentAnimation) < m_bones[0].m_animations.size()) {
        const std::size_t count = m_bones[0].m_animations[g_currentAnimation].size();
        if (count > 0 && g_currentFrame >= 0 && static_cast<std::size_t>(g_currentFrame) >= count)
            g_currentFrame = static_cast<std::int32_t>(count - 1);
    }
}

void CCentigrade::Redo()
{
    if (m_redoAnimations.empty())
        return;
    const std::size_t top = m_redoAnimations.size() - 1;
    g_currentAnimation = m_redoAnimations[top];
    g_currentFrame = m_redoFrames[top];
    g_editFrame = m_redoEditFrames[top];
    PushUndoSnapshot();
    RestoreSnapshot(m_bones, m_redoPoses[top]);
    m_redoAnimations.pop_back();
    m_redoFrames.pop_back();
    m_redoEditFrames.pop_back();
    m_redoPoses.pop_back();
    g_editFrame = g_currentFrame;
}
