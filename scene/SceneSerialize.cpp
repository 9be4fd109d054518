// The scene file body: CCentigrade::Serialize.
#include "platform/Archive.h"
#include "scene/CCentigrade.h"
#include "scene/Globals.h"
#include "scene/SceneLimits.h"

namespace {

// Smallest size of each record in the file being read, for checking counts.
std::size_t ModelRecordBytes() { return g_fileVersion <= kVersion331 ? 21 : 4; }
std::size_t BoneRecordBytes()
{
    if (g_fileVersion > kVersion331)
        return 5;
    return 5 + 16 + 2 * (g_fileVersion >= kVersion300 ? 20 : 16);
}
std::size_t MaterialRecordBytes() { return g_fileVersion >= kVersion392 ? 57 : 44; }

void StoreMaterialMaps(CArchive& ar, const std::vector<std::vector<std::int32_t>>& maps)
{
    ar << static_cast<std::int32_t>(maps.size());
    for (const std::vector<std::int32_t>& map : maps) {
        ar << static_cast<std::int32_t>(map.size());
        for (std::int32_t id : map)
            ar << id;
    }
}

void LoadMaterialMaps(CArchive& ar, std::vector<std::vector<std::int32_t>>& maps)
{
    maps.resize(ar.ReadCount(4, kMaxMaterialMaps));
    for (std::vector<std::int32_t>& map : maps) {
        map.assign(ar.ReadCount(4, kMaxMaterials), 0);
        for (std::int32_t& id : map)
            ar >> id;
    }
}

}  // namespace

void CCentigrade::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        // A scene whose model file could not be found has no models, only the ones the file
        // was read with: those are written back, so their bindings survive the save.
        std::vector<CModel>& models = m_models.empty() ? m_loadedModels : m_models;
        ar << static_cast<std::int32_t>(models.size());
        ar << m_modelPath;
        ar << static_cast<std::int32_t>(m_bones.size());
        ar << m_reserved << m_nextMaterialId << m_zoom;
        ar << static_cast<std::int32_t>(m_animationNames.size());
        for (const std::string& name : m_animationNames)
            ar << name;
        ar << m_backgroundColor;
        StoreMaterialMaps(ar, m_materialMaps);
        ar << m_smoothingAngle << m_weightMapRange;
        ar << static_cast<std::int32_t>(m_materials.size());
        for (CModel& model : models)
            model.Serialize(ar);
        m_camera.Serialize(ar);
        for (CMaterial& material : m_materials)
            material.Serialize(ar);
        for (CBone& bone : m_bones)
            bone.Serialize(ar);
        return;
    }

    const bool old = g_fileVersion <= kVersion331;
    const std::int32_t modelCount = ar.ReadCount(ModelRecordBytes(), kMaxModels);
    m_loadedModels.assign(modelCount, CModel());
    std::int32_t oldMaterialCount = 0;
    if (old) {
        oldMaterialCount = ar.ReadCount(44, kMaxMaterials);
        m_materials.assign(oldMaterialCount, CMaterial());
    } else {
        ar >> m_modelPath;
    }
    const std::int32_t boneCount = ar.ReadCount(BoneRecordBytes(), kMaxBones);
    m_bones.clear();
    ar >> m_reserved >> m_nextMaterialId;
    m_nextMaterialId = 0;
    ar >> m_zoom;
    const std::int32_t nameCount = ar.ReadCount(1, kMaxAnimationNames);
    m_animationNames.clear();
    for (std::int32_t i = 0; i < nameCount; ++i) {
        std::string name;
        ar >> name;
        m_animationNames.push_back(std::move(name));
    }
    ar >> m_backgroundColor;
    LoadMaterialMaps(ar, m_materialMaps);
    if (g_fileVersion >= kVersion332)
        ar >> m_smoothingAngle;
    if (g_fileVersion >= kVersion300)
        ar >> m_weightMapRange;
    std::int32_t materialCount = 0;
    if (g_fileVersion >= kVersion392)
        materialCount = ar.ReadCount(MaterialRecordBytes(), kMaxMaterials);

    for (CModel& model : m_loadedModels)
        model.Serialize(ar);
    m_camera.Serialize(ar);
    if (old) {
        // Old files carry their materials, but the model file supplies them again.
        for (CMaterial& material : m_materials)
            material.Serialize(ar);
        m_materials.clear();
    }
    if (g_fileVersion >= kVersion392) {
        m_materials.resize(materialCount);
        for (CMaterial& material : m_materials)
            material.Serialize(ar);
    }
    // Bones are made one at a time, so a count that the data cannot back never allocates
    // more than the file holds. Of the constructor's samples only sample 0, a key, can outlast
    // the bone's record (the others are reset samples, as those an empty animation is padded
    // with), so a bone is made with that one alone, whatever the current length.
    m_bones.reserve(boneCount);
    for (std::int32_t i = 0; i < boneCount; ++i) {
        CBone bone(1);
        if (!old)
            bone.m_id = i;  // not stored in new files; the bone import refits it from the model
        bone.Serialize(ar);
        m_bones.push_back(std::move(bone));
    }
}
