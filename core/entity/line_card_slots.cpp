#include "core/entity/line_card_slots.h"

#include "core/entity/entity_id.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/entity/entity_type_ids.h"

std::vector<uint32_t> LineCardSlotIds(const CEntityModelSet& models, uint32_t neModelId)
{
    std::vector<uint32_t> slots;
    const CEntityType* ne = models.FindModel(neModelId);
    if (ne == nullptr)
        return slots;
    for (int s = 0; s < ne->GetChildCount(); ++s) {
        const CEntityType* shelf = models.FindModel(ne->GetChildFixedType(s));
        if (shelf == nullptr)
            continue;
        for (int p = 0; p < shelf->GetChildCount(); ++p) {
            if (shelf->SlotAcceptsClass(p, kProvClassAdslLineCard))
                slots.push_back(EntityIdFromIndex(1, static_cast<unsigned>(s + 1), static_cast<unsigned>(p + 1), 0, 0));
        }
    }
    return slots;
}

uint32_t HighestVlanMacLimit(const CEntityModelSet& models, uint32_t neModelId)
{
    return kMacLimitPerLineCardSlot * static_cast<uint32_t>(LineCardSlotIds(models, neModelId).size());
}
