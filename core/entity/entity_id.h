#pragma once
// The packed entity id (0 none, 1 the NE itself, otherwise shelf x 10000 + slot x 100 + port written with exactly
// five digits) and CEntityId, the 16-byte pair of packed id and entity index that dialogs keep as their target.

#include "core/entity/entity_index.h"

#include <cstdint>

// The packed id of an index built from five numbers: 0 for an empty index, the NE number for an NE-level index,
// else shelf x 10000 + slot x 100 + port with 0 for the levels below the index's own (the fifth is not packed).
uint32_t EntityIdFromIndex(unsigned ne, unsigned shelf, unsigned slot, unsigned port, unsigned fifth);
// The same for an index; 0 for null and for an index whose numbers do not fit five digits.
uint32_t EntityIdFromIndexPtr(const CEntityIndex* index);
uint32_t EntityIdFromIndexValue(CEntityIndex index);

// The index of a packed id: 0 gives the empty index, 1 the NE level; any other id must have exactly five digits,
// with no number after a zero level and none above its level's maximum, else the index is empty.
CEntityIndex EntityIndexFromId(uint32_t id);

// The packed id of the parent entity (a port's line card, a slot's shelf, a shelf's NE 1); 0 for 1, 0 and ids that
// do not decode.
uint32_t GetParentEntityId(uint32_t id);

// The packed id of the first / last entity at `level` (2..4) under the index: the levels beyond the index are filled
// with 1 / with the level maxima. An index at or below `level` gives its own id cut to that level; 0 for an empty
// index.
uint32_t FirstEntityIdUnder(const CEntityIndex& index, int level);
uint32_t LastEntityIdUnder(const CEntityIndex& index, int level);

// The packed id of the port an NE interface number names. The interface number is the port's packed id; for port
// class 65 (a link aggregator's interface) it is trunk port (number mod 100) of control module 1 of the shelf type.
// 0 when it names no port.
uint32_t EntityIdFromIfIndex(uint32_t ifIndex, uint32_t shelfType, unsigned portClass);

struct CEntityId {
    uint32_t id = 0;
    CEntityIndex index;

    CEntityId() = default;
    // The empty id 0 when the packed id does not decode.
    explicit CEntityId(uint32_t packedId);
    // Null gives the empty id 0.
    explicit CEntityId(const CEntityIndex* entityIndex);

    // Sets the id and its index; -1 (and unchanged) when a non-zero id does not decode, else 0.
    int SetId(uint32_t packedId);
    // Packs the leading valid levels (non-zero and not above the level maximum) and keeps their index; returns 0.
    int SetLevels(unsigned ne, unsigned shelf, unsigned slot, unsigned port, unsigned fifth);
    // Sets both from an index (its valid leading levels); returns 0.
    int SetIndex(const CEntityIndex& entityIndex);

    // True when this id lies on the parent chain of the given id and is not the id itself.
    bool IsAncestorOf(uint32_t packedId) const;
    // True when the given id lies on the parent chain of this id; false for 0 and for the id itself.
    bool IsDescendantOf(uint32_t packedId) const;

    bool operator==(const CEntityId&) const = default;
};
static_assert(sizeof(CEntityId) == 16, "CEntityId is copied whole as 16 bytes");
