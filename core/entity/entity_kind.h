#pragma once
// Whether a child position of an entity model suits a dialog's function kind: the classes a shelf, slot or port
// position accepts, tested against the classes each kind asks for.

#include "core/entity/entity_index.h"

class CEntityType;

// The function kinds a caller may ask for; a kind above this offers no position.
inline constexpr int kEntityKindMax = 11;

// 1 when position p of `model` (p = the number at the index's last level minus 1; level 2 shelf, 3 slot, 4 port)
// exists, has a fixed type, is its own delegate when `exact` is non-zero, and accepts one of the classes that `kind`
// asks for at that level; else 0 (also for a null model or index, another level, or a kind outside 0..11).
int EntityMatchesKind(const CEntityType* model, const CEntityIndex* index, int kind, int exact);
