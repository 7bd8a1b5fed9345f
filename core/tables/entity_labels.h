#pragma once
// Texts and index mappings that name an entity below its NE by the labels of its entity model.

#include "core/entity/entity_index.h"

#include <cstdint>
#include <string>

class CNeRecord;

// The label of one level of an index: "<NE>" for level 1; for levels 2..5 the child name that the parent entity's
// model gives the position, else the position's number. Empty for a level outside 1..the index's level.
std::string GetEntityLevelLabel(const CNeRecord* ne, int level, const CEntityIndex& index);
// The label of the index's last level.
std::string GetEntityLevelLabel(const CNeRecord* ne, const CEntityIndex& index);

// The place of an entity below its NE. Without words the level labels joined by "-" ("1-3" for slot 1, port 3 of a
// one-shelf NE); with words each label after its level word and a "-", the parts joined by ", " ("Shelf-1, Slot-3").
// The shelf part is left out when the NE has one shelf and a lower level follows. Empty for the NE itself and for an
// empty index. The mode is reserved: callers pass 0.
std::string FormatEntityLocation(const CNeRecord* ne, CEntityIndex index, int mode, bool words);
std::string FormatEntityLocationById(const CNeRecord* ne, uint32_t entityId, bool words = false);

// A slot or port index with its slot number replaced by the delegate slot that the shelf's model names for it; any
// other index, and one whose shelf has no model, unchanged.
CEntityIndex MapDelegateSlot(const CNeRecord* ne, CEntityIndex index);
