#include "export/CornerList.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace {

// Bits of a float for hashing: 0 and -0 are equal records, so they hash alike.
std::uint64_t Bits(float value) { return value == 0.0f ? 0u : std::bit_cast<std::uint32_t>(value); }

std::uint64_t Bits(std::int32_t value) { return static_cast<std::uint32_t>(value); }

std::uint32_t Hash(const CornerRecord& r)
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

// A record holding a NaN equals no record, itself included: it is always new.
bool HoldsNaN(const CornerRecord& r)
{
    return std::isnan(r.m_position.m_x) || std::isnan(r.m_position.m_y) || std::isnan(r.m_position.m_z) ||
           std::isnan(r.m_normal.m_x) || std::isnan(r.m_normal.m_y) || std::isnan(r.m_normal.m_z) ||
           std::isnan(r.m_uv.m_u) || std::isnan(r.m_uv.m_v) || std::isnan(r.m_weight);
}

}  // namespace

void CornerList::Clear()
{
    m_cornerRecords.clear();
    m_cornerIndices.clear();
    m_slots.clear();
    m_lastOfVertex.clear();
}

void CornerList::BeginModel(std::size_t vertexCount) { m_lastOfVertex.assign(vertexCount, -1); }

void CornerList::Add(const CornerRecord& record, std::size_t vertex)
{
    // The list holds no two equal records, so an equal one found here is the first.
    std::int32_t& last = m_lastOfVertex[vertex];
    if (last >= 0 && m_cornerRecords[static_cast<std::size_t>(last)] == record) {
        m_cornerIndices.push_back(last);
        return;
    }
    m_cornerIndices.push_back(Find(record));
    last = m_cornerIndices.back();
}

std::int32_t CornerList::Find(const CornerRecord& record)
{
    const auto next = static_cast<std::int32_t>(m_cornerRecords.size());
    if (HoldsNaN(record)) {
        m_cornerRecords.push_back(record);
        return next;
    }
    if (m_slots.size() < 2 * (m_cornerRecords.size() + 1))
        Rehash(std::max<std::size_t>(64, 2 * m_slots.size()));
    const std::uint32_t hash = Hash(record);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot& slot = m_slots[i];
        if (slot.record < 0) {
            slot = {hash, next};
            m_cornerRecords.push_back(record);
            return next;
        }
        if (slot.hash == hash && m_cornerRecords[static_cast<std::size_t>(slot.record)] == record)
            return slot.record;
    }
}

void CornerList::Rehash(std::size_t slotCount)
{
    std::vector<Slot> old(slotCount);
    old.swap(m_slots);
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.record < 0)
            continue;
        std::size_t i = slot.hash & mask;
        while (m_slots[i].record >= 0)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}
