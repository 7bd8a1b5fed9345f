#include "features/provisioning/multicast/mc_fast_provision_ports.h"

#include "core/entity/entity_id.h"
#include "core/entity/entity_type.h"
#include "core/entity/entity_type_ids.h"
#include "core/tables/entity_node.h"

namespace {

constexpr uint32_t kAnyNeModel = 1;
constexpr uint32_t kEveryNeModel = 0x7FFFFFFF;

// The model of the card installed in the slot; 0 for an empty slot or one whose card is unknown.
uint32_t InstalledModel(const CNeRecord& ne, uint32_t slotId)
{
    const CEntityNode* slot = ne.root != nullptr ? ne.root->FindById(slotId) : nullptr;
    return slot != nullptr && !slot->IsEmptyOrUnknown() ? slot->GetModelId() : 0;
}

} // namespace

std::vector<uint32_t> McProvisionPorts(const CEntityModelSet& models, const CNeRecord& ne,
                                       const McProvisionRange& range, uint32_t lineCardModelId)
{
    std::vector<uint32_t> ports;
    const CEntityType* neModel = models.FindModel(ne.neModelId);
    const CEntityType* chosen = models.FindModel(lineCardModelId);
    if (neModel == nullptr || chosen == nullptr)
        return ports;
    for (unsigned s = range.fromShelf; s <= range.toShelf; ++s) {
        const CEntityType* shelf = models.FindModel(neModel->GetChildFixedType(static_cast<int>(s) - 1));
        if (shelf == nullptr)
            continue;
        for (unsigned t = range.fromSlot; t <= range.toSlot; ++t) {
            if (!shelf->SlotAcceptsClass(static_cast<int>(t) - 1, kProvClassAdslLineCard))
                continue;
            const uint32_t installed = InstalledModel(ne, EntityIdFromIndex(1, s, t, 0, 0));
            if (installed != 0 && installed != lineCardModelId)
                continue;
            for (int p = 0; p < chosen->GetChildCount(); ++p) {
                if (chosen->SlotAcceptsClass(p, kProvClassAdslPort))
                    ports.push_back(EntityIdFromIndex(1, s, t, static_cast<unsigned>(p + 1), 0));
            }
        }
    }
    return ports;
}

std::vector<const CEntityType*> McProvisionLineCardModels(const CEntityModelSet& models, uint32_t neModelId)
{
    std::vector<const CEntityType*> cards;
    for (int i = 0; i < models.GetTypeCount(); ++i) {
        const CEntityType* model = models.GetTypeAt(i);
        if (model == nullptr || model->GetProvClass() != kProvClassAdslLineCard)
            continue;
        const uint32_t owner = model->GetNeModelId();
        if (owner == neModelId || owner == kAnyNeModel || owner == kEveryNeModel)
            cards.push_back(model);
    }
    return cards;
}
