#pragma once
// The ports a fast provisioning of multicast channels walks: for each shelf of the shelf range, each slot of the slot
// range (the same range on every shelf) that takes an ADSL line card, and of it every port that takes an ADSL line
// port. A slot with a line card installed counts only when the card is of the chosen line-card model; an empty slot
// takes the chosen model's ports.

#include "core/entity/entity_model_set.h"
#include "core/tables/ne_record.h"

#include <cstdint>
#include <vector>

struct McProvisionRange {
    unsigned fromShelf = 0;
    unsigned toShelf = 0;
    unsigned fromSlot = 0;
    unsigned toSlot = 0;
};

// The packed ids of the ports, in walk order.
std::vector<uint32_t> McProvisionPorts(const CEntityModelSet& models, const CNeRecord& ne,
                                       const McProvisionRange& range, uint32_t lineCardModelId);
// The line-card models an NE of the model takes, for the Type combo.
std::vector<const CEntityType*> McProvisionLineCardModels(const CEntityModelSet& models, uint32_t neModelId);
