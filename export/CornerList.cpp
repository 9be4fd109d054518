#include "export/CornerList.h"

#include <algorithm>
#include <bit>

namespace {

// Bits of a float for hashing: 0 and -0 are equal records, so they hash alike.
std::uint64_t Bits(float value) { return value == 0.0f ? 0u : std::bit_cast<std::uint32_t>(value); }

std::uint64_t Bits(std::int32_t value) { return static_cast<std::uint32_t>(value); }

}  // namespace

std::uint32_t CornerList::Hash(const CornerRecord& r)
{
    const std::uint64_t values[] = {
        Bits(r.m_position.m_x) | Bits(r.m_position.m_y) << 32,
        Bits(r.m_position.m_z) | Bits(r.m_normal.m_x) << 32,
        Bits(r.m_normal.m_y) | Bits(r.m_normal.m_z) << 32,
        Bits(r.m_uv.m_u) | Bits(r.m_uv.m_v) << 32,
        Bits(r.m_material) | Bits(r.m_bone) << 32,
        Bits(r.m_parentBone) | Bits(r.m_weight) << 32,
    };
    std::uint64_t h = 0x9E3779B97F4A7C15u;
    for (const std::uint64_t v : values) {
        h = (h ^ v) * 0xBF58476D1CE4E5B9u;
        h ^= h >> 31;
    }
    return static_cast<std::uint32_t>(h ^ (h >> 32));
}

void CornerList::Clear()
{
    m_sources.clear();
    m_indices.clear();
    m_slots.clear();
    m_lastOfVertex.clear();
}

void CornerList::BeginModel(std::size_t vertexCount, std::size_t faceCount)
{
    // Room for every corner and record the model can give: pages of it that stay unused are
    // never touched. The table starts at the size most models need (about one record per
    // vertex) and grows when more come.
    m_indices.clear();
    m_indices.reserve(6 * faceCount);
    m_lastOfVertex.assign(vertexCount, -1);
    m_sources.reserve(m_sources.size() + 6 * faceCount);
    const std::size_t expected = m_sources.size() + std::min(vertexCount, 6 * faceCount);
    if (m_slots.size() < 2 * expected)
        Rehash(std::bit_ceil(std::max<std::size_t>(64, 2 * expected)));
}

void CornerList::Rehash(std::size_t slotCount)
{
    std::vector<Slot> old(slotCount);
    old.swap(m_slots);
    for (const Slot& slot : old) {
        if (slot.record < 0)
            continue;
        Slot* s = FirstSlot(slot.hash);
        while (s->record >= 0)
            s = NextSlot(s);
        *s = slot;
    }
}
