#include "app/logic/DocumentCommands.h"

#include "app/logic/CSceneDocument.h"
#include "app/logic/ColorSettings.h"
#include "app/logic/IProfile.h"
#include "import/LoaderBG.h"
#include "platform/Messages.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <algorithm>
#include <new>
#include <stdexcept>
#include <string>

namespace doccommands {

namespace {

// The pose of the current frame becomes a key at `frame`.
void CopyPoseAsKey(CBone& bone, std::int32_t frame)
{
    if (g_currentAnimation < 0 || static_cast<std::size_t>(g_currentAnimation) >= bone.m_animations.size())
        return;
    std::vector<CAnimation>& samples = bone.m_animations[g_currentAnimation];
    const auto exists = [&](std::int32_t f) { return f >= 0 && static_cast<std::size_t>(f) < samples.size(); };
    if (!exists(g_currentFrame) || !exists(frame))
        return;
    samples[frame] = samples[g_currentFrame];
    samples[frame].m_key = true;
}

// An undo entry for the samples at `frame`, which need not be the current frame: undoing it
// brings back the frame the edit changed.
void PushUndoAt(CCentigrade& scene, std::int32_t frame)
{
    const std::int32_t current = g_currentFrame;
    g_currentFrame = frame;
    scene.PushUndoSnapshot();
    g_currentFrame = current;
}

// After undo and redo: the last frame becomes that of bone 0's samples in the animation now
// current, every bone is in-betweened again, and the samples differ from the file's.
void FinishUndoRedo(CSceneDocument& document)
{
    if (!g_scene.m_bones.empty() && g_currentAnimation >= 0) {
        const auto& animations = g_scene.m_bones[0].m_animations;
        if (static_cast<std::size_t>(g_currentAnimation) < animations.size())
            g_lastFrame = static_cast<std::int32_t>(animations[g_currentAnimation].size()) - 1;
    }
    g_scene.InterpolateAllBones();
    document.UpdateAllViews(HintUndoRedo);
    document.SetModifiedFlag(true);
}

}  // namespace

void Undo(CSceneDocument& document)
{
    if (g_scene.m_undoAnimations.empty())
        return;
    g_scene.Undo();
    FinishUndoRedo(document);
}

void Redo(CSceneDocument& document)
{
    if (g_scene.m_redoAnimations.empty())
        return;
    g_scene.Redo();
    FinishUndoRedo(document);
}

void SetEditMode(CSceneDocument& document, std::int32_t mode)
{
    g_scene.m_editMode = mode;
    document.UpdateAllViews(HintDisplayChanged);
}

void ToggleCameraFollow(CCentigrade& scene)
{
    scene.m_followBone = !scene.m_followBone;
}

void ToggleDisplay(CSceneDocument& document, bool CCentigrade::*flag)
{
    g_scene.*flag = !(g_scene.*flag);
    document.UpdateAllViews(HintDisplayChanged);
}

void StartPlayback(CSceneDocument& document, bool loop)
{
    g_scene.InterpolateAllBones();
    g_loopPlayback = loop;
    if (!loop && g_currentFrame == g_lastFrame)
        g_currentFrame = 0;
    document.UpdateAllViews(HintPlaybackStarted);
}

void StopPlayback(CSceneDocument& document)
{
    document.UpdateAllViews(HintPlaybackStopped);
}

void StepFrame(CSceneDocument& document, int step)
{
    g_currentFrame += step;
    if (g_currentFrame > g_lastFrame)
        g_currentFrame = 0;
    else if (g_currentFrame < 0)
        g_currentFrame = g_lastFrame;
    document.UpdateAllViews(HintFrameChanged);
}

void GoToFirstFrame(CSceneDocument& document)
{
    g_currentFrame = 0;
    document.UpdateAllViews(HintFrameChanged);
}

void GoToLastFrame(CSceneDocument& document)
{
    g_currentFrame = g_lastFrame;
    document.UpdateAllViews(HintFrameChanged);
}

void GoToKey(CSceneDocument& document, bool forward)
{
    g_currentFrame = forward ? g_scene.FindNextKey(g_currentAnimation, g_currentFrame)
                             : g_scene.FindPreviousKey(g_currentAnimation, g_currentFrame);
    document.UpdateAllViews(HintFrameChanged);
}

void SetKey(CSceneDocument& document, bool allBones, bool key)
{
    g_scene.ClearRedo();
    g_scene.PushUndoSnapshot();
    if (allBones)
        g_scene.SetKeyFlagAllBones(g_currentAnimation, g_currentFrame, key);
    else
        g_scene.SetKeyFlag(g_currentAnimation, g_currentFrame, key);
    if (!key)
        g_scene.InterpolateAllBones();
    document.UpdateAllViews(HintKeysChanged);
    document.SetModifiedFlag(true);
}

bool EditKeyFrame(CSceneDocument& document, std::int32_t frame, std::int32_t action)
{
    if (frame < 1 || frame > g_lastFrame) {
        ShowMessage(g_lastFrame < 1
                        ? std::string("このアニメーションにはキーフレームを追加・削除できるフレームがありません。")
                        : FormatMessage1("フレームには 1 から %1 までの値を入力してください。",
                                         std::to_string(g_lastFrame)),
                    MessageButtons::Ok, MessageIcon::Warning);
        return false;
    }
    g_scene.ClearRedo();
    PushUndoAt(g_scene, frame);
    document.m_keyFrameAction = action;
    switch (action) {
    case KeyFrameAddSelectedBone:
        if (g_scene.IsBoneAndAnimationSelected())
            CopyPoseAsKey(g_scene.m_bones[g_scene.m_selectedBone], frame);
        break;
    case KeyFrameAddAllBones:
        for (CBone& bone : g_scene.m_bones)
            CopyPoseAsKey(bone, frame);
        break;
    case KeyFrameDeleteSelectedBone:
        g_scene.SetKeyFlag(g_currentAnimation, frame, false);
        break;
    case KeyFrameDeleteAllBones:
        g_scene.SetKeyFlagAllBones(g_currentAnimation, frame, false);
        break;
    default:
        break;
    }
    g_scene.InterpolateAllBones();
    document.UpdateAllViews(HintKeyFramesEdited);
    document.SetModifiedFlag(true);
    return true;
}

void ToggleHermite(CSceneDocument& document)
{
    g_scene.m_hermite = !g_scene.m_hermite;
    g_scene.InterpolateAllBones();
    // The in-between samples are stored in the scene file.
    document.SetModifiedFlag(true);
}

void ResetCamera(CCentigrade& scene)
{
    const COLORREF background = scene.m_backgroundColor;
    scene.ResetCamera();
    scene.m_backgroundColor = background;
}

void StoreBackgroundColor(CSceneDocument& document, IProfile& profile, COLORREF color)
{
    g_scene.m_backgroundColor = color;
    profile.WriteProfileInt(kProfileSection, "BgColor", static_cast<long>(color));
    document.UpdateAllViews(HintDisplayChanged);
    document.SetModifiedFlag(true);
}

bool LoadBackgroundModel(const std::string& path, std::string& reason)
{
    std::vector<CModel>& models = g_scene.m_backgroundModels;
    std::vector<CMaterial>& materials = g_scene.m_backgroundMaterials;
    const std::size_t modelsBefore = models.size(), materialsBefore = materials.size();
    try {
        const bool loaded = ImportBackgroundMqo(path, reason);
        g_scene.RecomputeBackgroundNormals();
        return loaded;
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    // Memory ran out: the models shown before stay (their normals come first and are whole),
    // the file's own models and materials go.
    models.erase(models.begin() + static_cast<std::ptrdiff_t>(std::min(modelsBefore, models.size())), models.end());
    materials.erase(materials.begin() + static_cast<std::ptrdiff_t>(std::min(materialsBefore, materials.size())),
                    materials.end());
    reason = "メモリが足りません。";
    return false;
}

}  // namespace doccommands
