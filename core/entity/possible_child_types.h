#pragma once
// Which entity types can sit below another in an NE of a given model: the types of the next level (a shelf below the
// NE, a module below a shelf, a port below a module) that belong to the NE's model or to any NE, and that one of the
// parent's child positions takes by its fixed type and its classes.

#include "core/entity/entity_type.h"

#include <cstdint>
#include <vector>

// In the order of the entity-type array, each type once.
std::vector<const CEntityType*> PossibleChildTypes(const CEntityType& parent, uint32_t neModelId);
