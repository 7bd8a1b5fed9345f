#pragma once
// What the NE last told the direct link of each entity's state, by polls and by notifications. A notification
// carries the columns that changed: the columns it leaves out keep what the NE told before, and a type it gives as
// "unchanged" keeps the known type, so that a severity alone neither clears the alarm bits nor retypes the entity
// (which would rebuild its subtree). Not thread-safe: its owner holds one lock around it and the dispatch, so that
// the model gets the states in the order they were completed.

#include "link/records/entity_state_rec.h"

#include <cstdint>
#include <map>
#include <optional>

class CSnmpEntityStateMemory {
public:
    static constexpr uint32_t kAllColumns = 0xFFFFFFFFu; // a whole row, as a poll reads it

    // The state as told, completed from what is known, and remembered. `columns`: bit c-1 set when column c of the
    // entity state table was told. A type that nobody told stays 0, which leaves the model's type as it is.
    EntityStateRec Complete(const EntityStateRec& told, uint32_t columns = kAllColumns);
    std::optional<EntityStateRec> Find(uint32_t entityId) const;
    void Clear() { states_.clear(); }

private:
    std::map<uint32_t, EntityStateRec> states_;
};
