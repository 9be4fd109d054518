#include "scene/CCentigrade.h"

#include "scene/Globals.h"

CCentigrade::CCentigrade()
{
    m_camera.m_translate = CVector(0, 0, -2000);
    m_camera.m_rotate = CVector(20, 10, 0);
    ResetScene();
}

void CCentigrade::ResetScene()
{
    m_materials.clear();
    m_backgroundMaterials.clear();
    m_models.clear();
    m_backgroundModels.clear();
    m_bones.clear();
    m_animationNames.clear();
    m_animationNames.emplace_back("Animation_0");
    m_followOffset = CVector(0, 0, 0);
    m_reserved = 0;
    m_nextMaterialId = 0;
    m_nextBackgroundMaterialId = 0;
    m_selectedBone = -1;
    m_weightMapRange = 0;
    m_shiftDown = false;
    m_hermite = true;
    m_smoothingAngle = 89.5f;
    ResetCamera();
    ClearUndoRedo();
}

void CCentigrade::ResetCamera()
{
    m_camera.m_rotate = CVector(20, 10, 0);
    m_camera.m_translate = CVector(0, 0, -2000);
    m_zoom = 100.0f;
    m_fieldOfView = 10.0f;
    m_backgroundColor = MakeRgb(30, 65, 90);
}

void CCentigrade::ClearUndoRedo()
{
    m_undoAnimations.clear();
    m_undoFrames.clear();
    m_undoEditFrames.clear();
    m_undoPoses.clear();
    m_redoAnimations.clear();
    m_redoFrames.clear();
    m_redoEditFrames.clear();
    m_redoPoses.clear();
}

CMaterial* CCentigrade::GetCurrentMaterial()
{
    if (m_currentMaterial < 0 || static_cast<std::size_t>(m_currentMaterial) >= m_materials.size())
        return nullptr;
    return &m_materials[m_currentMaterial];
}

bool CCentigrade::IsBoneAndAnimationSelected() const
{
    return m_selectedBone >= 0 && static_cast<std::size_t>(m_selectedBone) < m_bones.size() &&
           g_currentAnimation >= 0 && static_cast<std::size_t>(g_currentAnimation) < m_animationNames.size();
}

const std::vector<CAnimation>* CCentigrade::SelectedSamples(std::int32_t animation) const
{
    if (!IsBoneAndAnimationSelected())
        return nullptr;
    const CBone& bone = m_bones[m_selectedBone];
    if (animation < 0 || static_cast<std::size_t>(animation) >= bone.m_animations.size())
        return nullptr;
    return &bone.m_animations[animation];
}

CVector* CCentigrade::SelectedSampleVector(std::int32_t animation, std::int32_t frame, CVector CAnimation::*member)
{
    const std::vector<CAnimation>* samples = SelectedSamples(animation);
    if (!samples || frame < 0 || static_cast<std::size_t>(frame) >= samples->size())
        return &m_zeroVector;
    return &(m_bones[m_selectedBone].m_animations[animation][frame].*member);
}

CVector* CCentigrade::GetKeyTranslate(std::int32_t animation, std::int32_t frame)
{
    return SelectedSampleVector(animation, frame, &CAnimation::m_translate);
}

CVector* CCentigrade::GetKeyRotate(std::int32_t animation, std::int32_t frame)
{
    return SelectedSampleVector(animation, frame, &CAnimation::m_rotate);
}

CVector* CCentigrade::GetKeyScale(std::int32_t animation, std::int32_t frame)
{
    return SelectedSampleVector(animation, frame, &CAnimation::m_scale);
}

void CCentigrade::ResetDeformedVertices()
{
    for (CModel& model : m_models)
        model.ResetDeformedVertices();
}

void CCentigrade::BuildBoneVertexLists()
{
    for (CModel& model : m_models)
        model.BuildBoneVertexLists(m_bones);
}

// Bindings are matched by model and vertex index; stored entries without a model or vertex
// to go to are dropped.
void CCentigrade::RestoreVertexBindings()
{
    const std::size_t models = std::min(m_loadedModels.size(), m_models.size());
    for (std::size_t i = 0; i < models; ++i) {
        const std::vector<CVector>& stored = m_loadedModels[i].m_vertices;
        std::vector<CVector>& target = m_models[i].m_vertices;
        const std::size_t n = std::min(stored.size(), target.size());
        for (std::size_t v = 0; v < n; ++v)
            target[v].m_boneIndex = stored[v].m_boneIndex;
    }
    BuildBoneVertexLists();
}

// Steps one frame at a time (wrapping at both ends) to the nearest key. Returns the frame
// unchanged when nothing is selected, or when no sample of the animation is a key.
std::int32_t CCentigrade::FindPreviousKey(std::int32_t animation, std::int32_t frame) const
{
    const std::vector<CAnimation>* samples = SelectedSamples(animation);
    if (!samples || g_lastFrame < 0)
        return frame;
    std::int32_t f = frame;
    for (std::int64_t step = 0; step <= g_lastFrame; ++step) {
        if (--f < 0)
            f = g_lastFrame;
        if (static_cast<std::size_t>(f) < samples->size() && (*samples)[f].m_key)
            return f;
    }
    return frame;
}

std::int32_t CCentigrade::FindNextKey(std::int32_t animation, std::int32_t frame) const
{
    const std::vector<CAnimation>* samples = SelectedSamples(animation);
    if (!samples || g_lastFrame < 0)
        return frame;
    std::int32_t f = frame;
    for (std::int64_t step = 0; step <= g_lastFrame; ++step) {
        if (f >= g_lastFrame || f < 0)
            f = 0;
        else
            ++f;
        if (static_cast<std::size_t>(f) < samples->size() && (*samples)[f].m_key)
            return f;
    }
    return frame;
}
