#include "app/logic/TimelineRules.h"

#include "platform/Messages.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

const char* const kLastFrameTooLargeMessage = "最後のフレームは 100000 以下にしてください。";

namespace {

std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool ValidSample(CCentigrade& scene)
{
    if (!scene.IsBoneAndAnimationSelected())
        return false;
    const CBone& bone = scene.m_bones[scene.m_selectedBone];
    return static_cast<std::size_t>(g_currentAnimation) < bone.m_animations.size() && g_currentFrame >= 0 &&
           static_cast<std::size_t>(g_currentFrame) < bone.m_animations[g_currentAnimation].size();
}

}  // namespace

std::optional<long> ParseWholeNumber(std::string_view text)
{
    const std::string s(Trimmed(text));
    if (s.empty())
        return std::nullopt;
    char* end = nullptr;
    const long value = std::strtol(s.c_str(), &end, 10);  // out of range: held at the limit
    if (end != s.c_str() + s.size())
        return std::nullopt;
    return value;
}

std::optional<float> ParseDecimalNumber(std::string_view text)
{
    const std::string s(Trimmed(text));
    if (s.empty())
        return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size() || !std::isfinite(value) || std::fabs(value) > 3.0e38)
        return std::nullopt;
    return static_cast<float>(value);
}

std::string FrameText(int frame)
{
    return std::to_string(frame);
}

std::string ValueText(float value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%f", static_cast<double>(value));
    return text;
}

std::optional<int> TypedCurrentFrame(std::string_view text)
{
    const std::optional<long> frame = ParseWholeNumber(text);
    if (!frame || *frame < 0 || *frame > g_lastFrame)
        return std::nullopt;
    return static_cast<int>(*frame);
}

LastFrameResult ApplyLastFrame(CCentigrade& scene, std::string_view text)
{
    LastFrameResult result;
    g_previousLastFrame = g_lastFrame;
    const std::optional<long> value = ParseWholeNumber(text);
    if (!value || *value < 0)
        return result;
    if (*value > kMaxLastFrame) {
        ShowMessage(kLastFrameTooLargeMessage, MessageButtons::Ok, MessageIcon::Warning);
        return result;
    }
    result.accepted = true;
    const std::size_t length = static_cast<std::size_t>(*value) + 1;
    for (const CBone& bone : scene.m_bones) {
        if (g_currentAnimation < 0 || static_cast<std::size_t>(g_currentAnimation) >= bone.m_animations.size())
            continue;
        const std::vector<CAnimation>& samples = bone.m_animations[g_currentAnimation];
        if (samples.size() != length || samples.empty() || !samples[0].m_key)
            result.sceneChanged = true;
    }

    g_lastFrame = static_cast<std::int32_t>(*value);
    for (CBone& bone : scene.m_bones)
        bone.FitAnimationLength(g_currentAnimation, g_previousLastFrame + 1);
    if (g_currentFrame >= g_lastFrame)
        g_currentFrame = g_lastFrame;
    if (g_lastFrame != g_previousLastFrame) {
        // Undo entries name frames that may no longer exist.
        scene.ClearUndoRedo();
        result.lengthChanged = true;
    }
    return result;
}

CVector* EditedVector(CCentigrade& scene)
{
    if (!ValidSample(scene))
        return nullptr;
    switch (scene.m_editMode) {
    case EditModeTranslate:
        return scene.GetKeyTranslate(g_currentAnimation, g_currentFrame);
    case EditModeRotate:
        return scene.GetKeyRotate(g_currentAnimation, g_currentFrame);
    case EditModeScale:
        return scene.GetKeyScale(g_currentAnimation, g_currentFrame);
    default:
        return nullptr;
    }
}

std::optional<CVector> ShownVector(CCentigrade& scene)
{
    if (scene.m_editMode != EditModeTranslate && scene.m_editMode != EditModeRotate &&
        scene.m_editMode != EditModeScale)
        return std::nullopt;
    const CVector* vector = EditedVector(scene);
    return vector ? *vector : CVector();
}

ValueEditResult ApplyValueEdits(CCentigrade& scene, const std::array<std::string, 3>& texts,
                                const std::array<std::string, 3>& shownTexts)
{
    ValueEditResult result;
    CVector* target = EditedVector(scene);
    const CVector current = target ? *target : CVector();
    float CVector::*const components[3] = {&CVector::m_x, &CVector::m_y, &CVector::m_z};
    CVector typed;
    for (int i = 0; i < 3; ++i) {
        float value = current.*components[i];
        if (texts[i] != shownTexts[i]) {
            if (const std::optional<float> number = ParseDecimalNumber(texts[i]))
                value = *number;
            else
                result.refused[i] = true;
        }
        typed.*components[i] = value;
    }
    result.value = typed;

    if (target && current.Compare(typed)) {
        scene.ClearRedo();
        scene.PushUndoSnapshot();
        *target = typed;  // a fresh vector: weight 1, no bone, mark 0
        result.changed = true;
    }
    g_editFrame = g_currentFrame;
    scene.InterpolateAllBones();
    if (target)
        result.value = *target;
    return result;
}

std::vector<int> SelectedBoneKeyFrames(const CCentigrade& scene)
{
    std::vector<int> frames;
    if (scene.m_selectedBone < 0 || static_cast<std::size_t>(scene.m_selectedBone) >= scene.m_bones.size())
        return frames;
    const CBone& bone = scene.m_bones[scene.m_selectedBone];
    if (g_currentAnimation < 0 || static_cast<std::size_t>(g_currentAnimation) >= bone.m_animations.size())
        return frames;
    const std::vector<CAnimation>& samples = bone.m_animations[g_currentAnimation];
    for (std::size_t i = 0; i < samples.size(); ++i)
        if (samples[i].m_key)
            frames.push_back(static_cast<int>(i));
    return frames;
}

bool AdvancePlayback()
{
    ++g_currentFrame;
    if (g_currentFrame <= g_lastFrame)
        return true;
    if (g_loopPlayback) {
        g_currentFrame = 0;
        return true;
    }
    g_playing = false;
    g_currentFrame = g_lastFrame;
    return false;
}
