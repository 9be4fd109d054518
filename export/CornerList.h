// The corners of one JavaScript model export: the distinct records in order of first
// appearance and, per written triangle of the current model, three positions in that list.
//
// Finding a record's earlier equal goes through a hash table, so a model of millions of
// corners is collected in linear time; the record last found for each vertex of the current
// model is tried first, which spares most lookups (the corners of a vertex mostly share one
// record). The list keeps little per record: the writers print a record when it is added,
// and the list remembers only the source of each record (the corner that first gave it, in
// the caller's numbering), asking the caller for the record again when it must compare.
#pragma once

#include "export/CornerRecord.h"

#include <cstddef>
#include <cstdint>
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

    // The corners that follow belong to a model of vertexCount vertices, which gives at most
    // cornerCount more records; the indices of the model before are dropped.
    void BeginModel(std::size_t vertexCount, std::size_t cornerCount);

    // Appends to the model's indices the position of the first record equal to record,
    // appending record itself when there is none yet. source names the corner that gives
    // record, vertex is its vertex in the current model (below its vertexCount), and
    // recordOf(source) must give the record of any source added before.
    template <class RecordOf>
    Found Add(const CornerRecord& record, Source source, std::size_t vertex, const RecordOf& recordOf)
    {
        std::int32_t& last = m_lastOfVertex[vertex];
        // The list holds no two equal records, so an equal one found here is the first.
        if (last >= 0 && recordOf(m_sources[static_cast<std::size_t>(last)]) == record) {
            m_indices.push_back(last);
            return {last, false};
        }
        const Found found = Find(record, source, recordOf);
        last = found.index;
        m_indices.push_back(found.index);
        return found;
    }

    // A hint that record will soon be added for vertex: when the vertex has no record yet,
    // the table slot it will be looked up in is fetched into the cache ahead of time.
    void Prepare(const CornerRecord& record, std::size_t vertex) const
    {
        if (m_lastOfVertex[vertex] < 0)
            __builtin_prefetch(&m_slots[Hash(record) & (m_slots.size() - 1)]);
    }

    std::size_t Size() const { return m_sources.size(); }
    // The current model's indices, three per triangle.
    const std::vector<std::int32_t>& Indices() const { return m_indices; }

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::int32_t record = -1;  // -1: empty
    };

    template <class RecordOf>
    Found Find(const CornerRecord& record, Source source, const RecordOf& recordOf)
    {
        const auto next = static_cast<std::int32_t>(m_sources.size());
        // A record holding a NaN equals no record, itself included: it is always new.
        if (!HoldsNaN(record)) {
            const std::uint32_t hash = Hash(record);
            Slot* slot = FirstSlot(hash);
            for (; slot->record >= 0; slot = NextSlot(slot))
                if (slot->hash == hash && recordOf(m_sources[static_cast<std::size_t>(slot->record)]) == record)
                    return {slot->record, false};
            *slot = {hash, next};
        }
        m_sources.push_back(source);
        if (m_slots.size() < 2 * m_sources.size())
            Rehash(2 * m_slots.size());
        return {next, true};
    }

    static std::uint32_t Hash(const CornerRecord& record);
    static bool HoldsNaN(const CornerRecord& record);
    Slot* FirstSlot(std::uint32_t hash) { return &m_slots[hash & (m_slots.size() - 1)]; }
    Slot* NextSlot(Slot* slot) { return slot + 1 == m_slots.data() + m_slots.size() ? m_slots.data() : slot + 1; }
    void Rehash(std::size_t slotCount);

    std::vector<Source> m_sources;             // per record, the corner that first gave it
    std::vector<std::int32_t> m_indices;
    std::vector<Slot> m_slots;                 // open addressing; a power of two, at most half full
    std::vector<std::int32_t> m_lastOfVertex;  // per vertex of the current model, -1: none yet
};
