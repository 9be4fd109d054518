// The animation list, key flags and material maps of the scene.
#include "platform/Cp932.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace {

std::string AnimationName(int number)
{
    char name[32];
    std::snprintf(name, sizeof name, "Animation_%d", number);
    return name;
}

// For every number n in 0..last: whether some name equals "Animation_n", case-insensitively
// (as the multibyte comparison folds only ASCII letters here) or byte for byte. One pass over
// the names instead of comparing every candidate with every name.
std::vector<bool> TakenNumbers(const std::vector<std::string>& names, int last, bool ignoreCase)
{
    constexpr std::size_t kPrefix = sizeof("Animation_") - 1;
    std::vector<bool> taken(static_cast<std::size_t>(last) + 1, false);
    for (const std::string& name : names) {
        if (name.size() <= kPrefix || name.size() > kPrefix + 6)
            continue;
        int number = 0;
        bool digits = true;
        for (std::size_t i = kPrefix; i < name.size() && digits; ++i) {
            digits = name[i] >= '0' && name[i] <= '9';
            number = number * 10 + (name[i] - '0');
        }
        if (!digits || number > last)
            continue;
        const std::string candidate = AnimationName(number);
        if (ignoreCase ? cp932::EqualsNoCase(name, candidate) : name == candidate)
            taken[number] = true;
    }
    return taken;
}

template <typename Container>
bool InRange(std::int32_t index, const Container& container)
{
    return index >= 0 && static_cast<std::size_t>(index) < container.size();
}

// Sample [animation][frame] of a bone, or null when the bone has none there.
CAnimation* SampleAt(CBone& bone, std::int32_t animation, std::int32_t frame)
{
    if (!InRange(animation, bone.m_animations) || !InRange(frame, bone.m_animations[animation]))
        return nullptr;
    return &bone.m_animations[animation][frame];
}

// Appends an animation of g_lastFrame + 1 reset samples, sample 0 a key.
void AppendFreshAnimation(CBone& bone)
{
    bone.m_animations.emplace_back();
    bone.FitAnimationLength(static_cast<std::int32_t>(bone.m_animations.size() - 1), g_previousLastFrame + 1);
}

}  // namespace

void CCentigrade::AddAnimation()
{
    constexpr int kLast = 99999;
    const std::vector<bool> taken = TakenNumbers(m_animationNames, kLast, true);
    int number = 0;
    while (number < kLast && taken[number])
        ++number;
    // When every number is taken, the last name is used anyway.
    m_animationNames.push_back(AnimationName(number));
    for (CBone& bone : m_bones)
        AppendFreshAnimation(bone);
}

void CCentigrade::DuplicateAnimation(std::int32_t source)
{
    if (!InRange(source, m_animationNames))
        return;
    // Case matters here, unlike for a new animation.
    constexpr int kLast = 19999;
    const std::vector<bool> taken = TakenNumbers(m_animationNames, kLast, false);
    int number = 0;
    while (number <= kLast && taken[number])
        ++number;
    if (number > kLast)
        return;
    m_animationNames.push_back(AnimationName(number));
    for (CBone& bone : m_bones) {
        if (InRange(source, bone.m_animations)) {
            std::vector<CAnimation> copy = bone.m_animations[source];
            bone.m_animations.push_back(std::move(copy));
        } else {
            AppendFreshAnimation(bone);  // a bone that lacks the source still gets its animation
        }
    }
}

void CCentigrade::DeleteAnimation(std::int32_t index)
{
    if (InRange(index, m_animationNames))
        m_animationNames.erase(m_animationNames.begin() + index);
    for (CBone& bone : m_bones)
        if (InRange(index, bone.m_animations))
            bone.m_animations.erase(bone.m_animations.begin() + index);
    if (m_animationNames.empty())
        AddAnimation();
}

bool CCentigrade::AnimationNameExists(const std::string& name) const
{
    for (std::size_t i = 0; i < m_animationNames.size(); ++i)
        if (static_cast<std::int64_t>(i) != g_currentAnimation && cp932::EqualsNoCase(m_animationNames[i], name))
            return true;
    return false;
}

bool CCentigrade::BoneNameExists(const std::string& name) const
{
    for (std::size_t i = 0; i < m_bones.size(); ++i)
        if (static_cast<std::int64_t>(i) != m_selectedBone && cp932::EqualsNoCase(m_bones[i].m_name, name))
            return true;
    return false;
}

bool CCentigrade::MaterialNameExists(const std::string& name) const
{
    for (std::size_t i = 0; i < m_materials.size(); ++i)
        if (static_cast<std::int64_t>(i) != m_currentMaterial && cp932::EqualsNoCase(m_materials[i].m_name, name))
            return true;
    return false;
}

void CCentigrade::SetKeyFlag(std::int32_t animation, std::int32_t frame, bool value)
{
    if (frame < 1 || !IsBoneAndAnimationSelected())
        return;
    if (CAnimation* sample = SampleAt(m_bones[m_selectedBone], animation, frame))
        sample->m_key = value;
}

void CCentigrade::SetKeyFlagAllBones(std::int32_t animation, std::int32_t frame, bool value)
{
    if (frame < 1)
        return;
    for (CBone& bone : m_bones)
        if (CAnimation* sample = SampleAt(bone, animation, frame))
            sample->m_key = value;
}

void CCentigrade::AddMaterialMap()
{
    std::vector<std::int32_t> map(m_materials.size());
    std::iota(map.begin(), map.end(), 0);
    m_materialMaps.push_back(std::move(map));
}

void CCentigrade::ResetMaterialMaps()
{
    m_materialMaps.resize(m_animationNames.size());
    for (std::vector<std::int32_t>& map : m_materialMaps) {
        map.resize(m_materials.size());
        std::iota(map.begin(), map.end(), 0);
    }
}

void CCentigrade::FitMaterialMaps()
{
    m_materialMaps.resize(m_animationNames.size());
    for (std::vector<std::int32_t>& map : m_materialMaps) {
        const std::size_t kept = std::min(map.size(), m_materials.size());
        map.resize(m_materials.size());
        std::iota(map.begin() + static_cast<std::ptrdiff_t>(kept), map.end(), static_cast<std::int32_t>(kept));
    }
}

void CCentigrade::ExtendAnimation(std::int32_t index)
{
    for (CBone& bone : m_bones)
        bone.FitAnimationLength(index, g_previousLastFrame + 1);
}
