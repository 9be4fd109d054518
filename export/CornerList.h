// The corners of one JavaScript model export: the distinct records in order of first
// appearance and, per written triangle of the current model, three positions in that list.
//
// Finding a record's earlier equal goes through a hash table, so a model of millions of
// corners is collected in linear time; the record last found for each vertex of the current
// model is tried first, which spares most lookups (the corners of a vertex mostly share one
// record). The list keeps little per record: the writers print a record when it is added,
// and the list remembers only the source of each record (the corner that first gave it, in
// the caller's numbering), asking the caller whether a source's record is the one it adds.
#pragma once

#include "export/CornerRecord.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

class CornerList {
public:
    using Source = std::uint64_t;

    struct Found {
        std::int32_t index = 0;  // position of the first record equal to the one added
        bool added = false;      // there was none: the record was appended
    };

    // Empties the list.
    void Clear();

    // The corners that follow belong to a model of vertexCount vertices and faceCount faces
    // (at most six corners each, and as many records); the indices of the model before are
    // dropped.
    void BeginModel(std::size_t vertexCount, std::size_t faceCount);

    // Appends to the model's indices the position of the first record equal to record,
    // appending record itself when there is none yet. source names the corner that gives
    // record, vertex is its vertex in the current model (below its vertexCount), and
    // isSame(earlier) must tell whether the record of a source added before equals record.
    // hash, when given, is Hash(record).
    template <class IsSame>
    Found Add(const CornerRecord& record, Source source, std::size_t vertex, const IsSame& isSame,
              std::optional<std::uint32_t> hash = std::nullopt)
    {
        std::int32_t& last = m_lastOfVertex[vertex];
        const bool nan = HoldsNaN(record);
        // The list holds no two equal records, so an equal one found here is the first.
        if (last >= 0 && !nan && isSame(m_sources[static_cast<std::size_t>(last)])) {
            m_indices.push_back(last);
            return {last, false};
        }
        const Found found = nan ? Append(source) : Find(source, isSame, hash ? *hash : Hash(record));
        last = found.index;
        m_indices.push_back(found.index);
        return found;
    }

    // Appends to the model's indices the position a corner added just before had: the same
    // corner of the same face again. Not for a record holding a NaN, which is new each time.
    void Repeat(std::int32_t index) { m_indices.push_back(index); }

    // A hint that record will soon be added for vertex: when the vertex has no record yet,
    // the table slot it will be looked up in is fetched into the cache ahead of time, and
    // the record's hash is given back for Add.
    std::optional<std::uint32_t> Prepare(const CornerRecord& record, std::size_t vertex) const
    {
        if (m_lastOfVertex[vertex] >= 0)
            return std::nullopt;
        const std::uint32_t hash = Hash(record);
        __builtin_prefetch(&m_slots[hash & (m_slots.size() - 1)]);
        return hash;
    }

    std::size_t Size() const { return m_sources.size(); }
    // A record holding a NaN equals no record, itself included.
    static bool HoldsNaN(const CornerRecord& r)
    {
        return std::isnan(r.m_position.m_x) || std::isnan(r.m_position.m_y) || std::isnan(r.m_position.m_z) ||
               std::isnan(r.m_normal.m_x) || std::isnan(r.m_normal.m_y) || std::isnan(r.m_normal.m_z) ||
               std::isnan(r.m_uv.m_u) || std::isnan(r.m_uv.m_v) || std::isnan(r.m_weight);
    }
    // Equal records hash alike.
    static std::uint32_t Hash(const CornerRecord& record);
    // The current model's indices, three per triangle.
    const std::vector<std::int32_t>& Indices() const { return m_indices; }

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::int32_t record = -1;  // -1: empty
    };

    template <class IsSame>
    Found Find(Source source, const IsSame& isSame, std::uint32_t hash)
    {
        Slot* slot = FirstSlot(hash);
        for (; slot->record >= 0; slot = NextSlot(slot))
            if (slot->hash == hash && isSame(m_sources[static_cast<std::size_t>(slot->record)]))
                return {slot->record, false};
        *slot = {hash, static_cast<std::int32_t>(m_sources.size())};
        return Append(source);
    }

    Found Append(Source source)
    {
        m_sources.push_back(source);
        if (m_slots.size() < 2 * m_sources.size())
            Rehash(2 * m_slots.size());
        return {static_cast<std::int32_t>(m_sources.size() - 1), true};
    }

    Slot* FirstSlot(std::uint32_t hash) { return &m_slots[hash & (m_slots.size() - 1)]; }
    Slot* NextSlot(Slot* slot) { return slot + 1 == m_slots.data() + m_slots.size() ? m_slots.data() : slot + 1; }
    void Rehash(std::size_t slotCount);

    std::vector<Source> m_sources;             // per record, the corner that first gave it
    std::vector<std::int32_t> m_indices;
    std::vector<Slot> m_slots;                 // open addressing; a power of two, at most half full
    std::vector<std::int32_t> m_lastOfVertex;  // per vertex of the current model, -1: none yet
};
