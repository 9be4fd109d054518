#include "export/MaterialLookup.h"

#include "export/ExportableFace.h"
#include "scene/CModel.h"

#include <algorithm>

MaterialLookup::MaterialLookup(const std::vector<CMaterial>& materials)
    : m_count(static_cast<std::int32_t>(materials.size()))
{
    for (std::size_t k = 0; k < materials.size(); ++k) {
        if (materials[k].m_id != static_cast<std::int32_t>(k))
            m_idsArePositions = false;
        m_byId.emplace_back(materials[k].m_id, static_cast<std::int32_t>(k));
    }
    if (m_idsArePositions)
        return;
    // Sorted by id, then position: the first of equal ids is the one that counts.
    std::sort(m_byId.begin(), m_byId.end());
    m_byId.erase(std::unique(m_byId.begin(), m_byId.end(),
                             [](const auto& a, const auto& b) { return a.first == b.first; }),
                 m_byId.end());
}

std::int32_t MaterialLookup::FindById(std::int32_t id) const
{
    const auto it = std::lower_bound(m_byId.begin(), m_byId.end(), std::make_pair(id, std::int32_t{-1}));
    return it != m_byId.end() && it->first == id ? it->second : kNone;
}

bool MaterialLookup::NeedsDefault(const CModel& model) const
{
    for (const CFace& face : model.m_faces)
        if (Find(face.m_material) == kNone && IsExportableFace(face, model.m_vertices.size()))
            return true;
    return false;
}

bool MaterialLookup::NeedsDefault(const std::vector<CModel>& models) const
{
    for (const CModel& model : models)
        if (NeedsDefault(model))
            return true;
    return false;
}
