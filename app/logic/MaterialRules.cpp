#include "app/logic/MaterialRules.h"

#include "scene/CCentigrade.h"
#include "scene/Globals.h"

#include <algorithm>
#include <cmath>

namespace {

const std::vector<std::int32_t>* CurrentMap(const CCentigrade& scene)
{
    if (g_currentAnimation < 0 || static_cast<std::size_t>(g_currentAnimation) >= scene.m_materialMaps.size())
        return nullptr;
    return &scene.m_materialMaps[g_currentAnimation];
}

}  // namespace

std::string MaterialNumberText(const CCentigrade& scene, int row)
{
    const std::vector<std::int32_t>* map = CurrentMap(scene);
    if (!map || row < 0 || static_cast<std::size_t>(row) >= map->size())
        return {};
    return std::to_string((*map)[row]);
}

int MaterialNumberItemCount(const CCentigrade& scene)
{
    const std::vector<std::int32_t>* map = CurrentMap(scene);
    if (!map)
        return 0;
    const std::size_t count = std::min(map->size(), scene.m_materials.size());
    return static_cast<int>(std::min<std::size_t>(count, kMaxMaterialNumber + 1));
}

MaterialNumberResult SetMaterialNumber(CCentigrade& scene, int row, int number)
{
    if (row < 0)
        return MaterialNumberResult::NoRow;
    const std::vector<std::int32_t>* map = CurrentMap(scene);
    if (!map || static_cast<std::size_t>(row) >= map->size())
        return MaterialNumberResult::NoEntry;
    std::int32_t& entry = scene.m_materialMaps[g_currentAnimation][row];
    if (entry == number)
        return MaterialNumberResult::Unchanged;
    entry = number;
    return MaterialNumberResult::Changed;
}

void SettleCurrentMaterial(CCentigrade& scene)
{
    if (scene.m_currentMaterial < 0 && !scene.m_materials.empty())
        scene.m_currentMaterial = 0;
}

std::array<unsigned char, 3> SwatchRgb(float red, float green, float blue)
{
    const auto byte = [](float component) -> unsigned char {
        const double product = std::trunc(static_cast<double>(component) * 255.0);
        if (!std::isfinite(product) || std::fabs(product) > 2147483647.0)
            return 0;
        return static_cast<unsigned char>(static_cast<long long>(product) & 0xFF);
    };
    return {byte(red), byte(green), byte(blue)};
}
