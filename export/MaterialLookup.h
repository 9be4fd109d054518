// Finds a material by the number a face or a material map holds: the first material of the
// list whose id equals that number. The lookup never reads past the list; a number that no
// material carries has no material.
//
// Every exporter writes a face through this lookup. A face whose number names no material
// (a model file's M(-1), or a number past the list) is written with the default material:
// the slot right after the list. The formats that index their materials then add a default
// material there (FBX, the engine classes); COLLADA gives those faces a triangle list of
// their own; Metasequoia writes them with M(-1).
#pragma once

#include "scene/CMaterial.h"

#include <cstdint>
#include <utility>
#include <vector>

class CModel;

class MaterialLookup {
public:
    static constexpr std::int32_t kNone = -1;

    explicit MaterialLookup(const std::vector<CMaterial>& materials);

    // The list position of the material with this id, or kNone.
    std::int32_t Find(std::int32_t id) const
    {
        if (m_idsArePositions)
            return id >= 0 && id < m_count ? id : kNone;
        return FindById(id);
    }

    // The material slot a face with this number is written with: its material's list
    // position, or DefaultSlot() when no material carries the number.
    std::int32_t Slot(std::int32_t id) const
    {
        const std::int32_t found = Find(id);
        return found == kNone ? DefaultSlot() : found;
    }
    std::int32_t DefaultSlot() const { return m_count; }

    // Whether some face the exports write (IsExportableFace) names no material, so that the
    // file needs the default material.
    bool NeedsDefault(const CModel& model) const;
    bool NeedsDefault(const std::vector<CModel>& models) const;

private:
    std::int32_t FindById(std::int32_t id) const;

    std::int32_t m_count = 0;
    bool m_idsArePositions = true;  // every material's id is its list position (the usual case)
    std::vector<std::pair<std::int32_t, std::int32_t>> m_byId;  // (id, first position), sorted
};
