// Finds a material by the number a face or a material map holds: the first material of the
// list whose id equals that number. The lookup never reads past the list; a number that no
// material carries has no material.
#pragma once

#include "scene/CMaterial.h"

#include <cstdint>
#include <utility>
#include <vector>

class MaterialLookup {
public:
    static constexpr std::int32_t kNone = -1;

    explicit MaterialLookup(const std::vector<CMaterial>& materials);

    // The list position of the material with this id, or kNone.
    std::int32_t Find(std::int32_t id) const;

private:
    bool m_idsArePositions = true;  // every material's id is its list position (the usual case)
    std::vector<std::pair<std::int32_t, std::int32_t>> m_byId;  // (id, first position), sorted
};
