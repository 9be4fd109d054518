#include "app/logic/LoadedSceneChecks.h"

#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <algorithm>

void FitAnimationLengths(CCentigrade& scene)
{
    if (scene.m_animationNames.empty())
        scene.m_animationNames.emplace_back("Animation_0");
    const std::size_t animations = scene.m_animationNames.size();
    for (CBone& bone : scene.m_bones)
        bone.m_animations.resize(animations);
    if (scene.m_bones.empty())
        return;
    for (std::size_t a = 0; a < animations; ++a) {
        std::size_t length = scene.m_bones[0].m_animations[a].size();
        if (length == 0) {
            // Bone 0 has nothing for it: the longest of the others, else the present length.
            for (const CBone& bone : scene.m_bones)
                length = std::max(length, bone.m_animations[a].size());
            if (length == 0)
                length = static_cast<std::size_t>(std::max(g_lastFrame, 0)) + 1;
        }
        for (CBone& bone : scene.m_bones) {
            std::vector<CAnimation>& samples = bone.m_animations[a];
            samples.resize(length);
            samples[0].m_key = true;
        }
    }
}

void ClipVertexBindings(CCentigrade& scene)
{
    const auto bones = static_cast<std::int32_t>(scene.m_bones.size());
    for (CModel& model : scene.m_models)
        for (CVector& vertex : model.m_vertices)
            if (vertex.m_boneIndex < -1 || vertex.m_boneIndex >= bones)
                vertex.m_boneIndex = -1;
}
