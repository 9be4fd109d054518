// The corners of one JavaScript model export: the distinct records in order of first
// appearance and, per written triangle, three positions in that list. Finding a record's
// earlier equal goes through a hash table, so a model of millions of corners is collected
// in linear time.
#pragma once

#include "export/CornerRecord.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CornerList {
public:
    // Empties both lists.
    void Clear();

    // Appends to the indices the position of the first record equal to record, appending
    // record itself when there is none yet.
    void Add(const CornerRecord& record);

    const std::vector<CornerRecord>& Records() const { return m_cornerRecords; }
    const std::vector<std::int32_t>& Indices() const { return m_cornerIndices; }

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::int32_t record = -1;  // -1: empty
    };

    void Rehash(std::size_t slotCount);

    std::vector<CornerRecord> m_cornerRecords;
    std::vector<std::int32_t> m_cornerIndices;
    std::vector<Slot> m_slots;  // open addressing; a power of two, at most half full
};
