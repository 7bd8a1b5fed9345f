#pragma once
// The scope of an alarm query: what the shelf, slot and port choices of the criteria dialogs hand to the lists, and
// the range of entity ids a list asks the server for. Window-free.

#include "core/entity/entity_id.h"

#include <cstdint>

// Item data of the scope combos besides a shelf, slot or port number.
inline constexpr uint32_t kScopeNone = 0;  // " <none>"
inline constexpr uint32_t kScopeAll = 255; // " <ALL>"

struct ScopeChoice {
    uint32_t shelf = kScopeAll;
    uint32_t slot = kScopeAll;
    uint32_t port = kScopeAll;
    int shelfEntries = 0; // items of the shelf combo
};

struct QueryScope {
    CEntityId entity;
    bool withSubEntities = false;
    bool operator==(const QueryScope&) const = default;
};

// The entity the choices name (their leading numbers under the NE) and whether what lies below it is asked for too:
// so when the first choice that names no entity is " <ALL>". A slot " <ALL>" on the only shelf of an NE asks for the
// whole NE (entity 0).
QueryScope ScopeOfChoice(const ScopeChoice& choice);

struct EntityRange {
    uint32_t first = 0;
    uint32_t last = 0;
    bool operator==(const EntityRange&) const = default;
};

// The entity itself, or with its sub-entities the span from it to its last port.
EntityRange EntityRangeOf(const CEntityId& entity, bool withSubEntities);
