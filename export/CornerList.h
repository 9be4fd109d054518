// The corners of one JavaScript model export: the distinct records in order of first
// appearance and, per written triangle, three positions in that list. Finding a record's
// earlier equal goes through a hash table, so a model of millions of corners is collected
// in linear time; the record last found for each vertex of the current model is tried
// first, which spares most lookups (the corners of a vertex mostly share one record).
#pragma once

#include "export/CornerRecord.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CornerList {
public:
    // Empties both lists.
    void Clear();

    // The corners that follow belong to a model of vertexCount vertices.
    void BeginModel(std::size_t vertexCount);

    // Appends to the indices the position of the first record equal to record, appending
    // record itself when there is none yet. vertex is the corner's vertex in the current
    // model (below its vertexCount).
    void Add(const CornerRecord& record, std::size_t vertex);

    const std::vector<CornerRecord>& Records() const { return m_cornerRecords; }
    const std::vector<std::int32_t>& Indices() const { return m_cornerIndices; }

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::int32_t record = -1;  // -1: empty
    };

    // The position of the record equal to record, appended when there is none.
    std::int32_t Find(const CornerRecord& record);
    void Rehash(std::size_t slotCount);

    std::vector<CornerRecord> m_cornerRecords;
    std::vector<std::int32_t> m_cornerIndices;
    std::vector<Slot> m_slots;  // open addressing; a power of two, at most half full
    std::vector<std::int32_t> m_lastOfVertex;  // per vertex of the current model, -1: none yet
};
