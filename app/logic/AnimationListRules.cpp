#include "app/logic/AnimationListRules.h"

#include "scene/CCentigrade.h"
#include "scene/Globals.h"

namespace {

// Bone 0's samples of an animation less one, or nothing when bone 0 has no such animation.
bool LastFrameOf(const CCentigrade& scene, int animation, std::int32_t& lastFrame)
{
    if (scene.m_bones.empty() || animation < 0)
        return false;
    const CBone& bone = scene.m_bones[0];
    if (static_cast<std::size_t>(animation) >= bone.m_animations.size())
        return false;
    lastFrame = static_cast<std::int32_t>(bone.m_animations[animation].size()) - 1;
    return true;
}

}  // namespace

std::string AnimationLastFrameText(const CCentigrade& scene, int animation)
{
    if (scene.m_bones.empty())
        return "100";
    std::int32_t lastFrame = -1;
    LastFrameOf(scene, animation, lastFrame);
    return std::to_string(lastFrame);
}

bool SelectAnimation(CCentigrade& scene, int animation)
{
    std::int32_t lastFrame = 0;
    if (animation < 0 || static_cast<std::size_t>(animation) >= scene.m_animationNames.size() ||
        !LastFrameOf(scene, animation, lastFrame))
        return false;
    g_currentAnimation = animation;
    g_currentFrame = 0;
    g_lastFrame = lastFrame;
    return true;
}

void AddAnimationWithMap(CCentigrade& scene)
{
    scene.AddAnimation();
    scene.AddMaterialMap();
}

bool DuplicateCurrentAnimation(CCentigrade& scene)
{
    const std::size_t before = scene.m_animationNames.size();
    scene.DuplicateAnimation(g_currentAnimation);
    if (scene.m_animationNames.size() == before)
        return false;  // no free name: no map either, so maps and animations stay in step
    scene.AddMaterialMap();
    return true;
}

void DeleteCurrentAnimation(CCentigrade& scene)
{
    const std::int32_t index = g_currentAnimation;
    if (index >= 0 && static_cast<std::size_t>(index) < scene.m_materialMaps.size())
        scene.m_materialMaps.erase(scene.m_materialMaps.begin() + index);
    scene.DeleteAnimation(index);
    const auto count = static_cast<std::int32_t>(scene.m_animationNames.size());
    if (g_currentAnimation >= count)
        g_currentAnimation = count - 1;
    g_currentFrame = 0;
    std::int32_t lastFrame = 0;
    if (LastFrameOf(scene, g_currentAnimation, lastFrame))
        g_lastFrame = lastFrame;
    scene.ClearUndoRedo();
    // Deleting the only animation left a fresh one, which needs its map.
    if (scene.m_materialMaps.size() < scene.m_animationNames.size())
        scene.AddMaterialMap();
}
