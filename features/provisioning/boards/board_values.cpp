#include "features/provisioning/boards/board_values.h"

#include "core/entity/entity_kind.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_record.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

namespace {

constexpr int kXdslBoardKind = 9;
constexpr int kTaggedBoardKind = 10;
constexpr uint8_t kBoardLevel = 3;
constexpr uint32_t kTaggedOnly = 1;

struct SlotPlace {
    const CEntityType* shelfModel = nullptr;
    CEntityIndex index;
    CEntityNode* slot = nullptr;
};

SlotPlace PlaceOf(const CNeRecord* ne, uint32_t slotId)
{
    SlotPlace place;
    if (ne == nullptr || ne->root == nullptr)
        return place;
    place.slot = ne->root->FindById(slotId);
    if (place.slot == nullptr || place.slot->GetParent() == nullptr)
        return place;
    place.index = place.slot->GetIndex();
    place.shelfModel = FindEntityModel(place.slot->GetParent()->GetModelId());
    return place;
}

bool BelongsToNe(const CEntityType& type, uint32_t neModelId)
{
    const uint32_t owner = type.GetNeModelId();
    return owner == neModelId || owner == kEntityTypeEmpty || owner == kEntityTypeUnknown;
}

} // namespace

BoardKind BoardKindOf(const CNeRecord* ne, uint32_t slotId)
{
    const SlotPlace place = PlaceOf(ne, slotId);
    if (place.shelfModel == nullptr)
        return BoardKind::kOther;
    if (EntityMatchesKind(place.shelfModel, &place.index, kXdslBoardKind, 0) != 0)
        return BoardKind::kXdslWithPvcs;
    if (EntityMatchesKind(place.shelfModel, &place.index, kTaggedBoardKind, 0) != 0)
        return BoardKind::kTrunkCard;
    return BoardKind::kOther;
}

std::vector<PlannedTypeChoice> PlannedTypeChoices(const CNeRecord* ne, uint32_t slotId)
{
    std::vector<PlannedTypeChoice> choices{{kEntityTypeEmpty, LoadString(kStrNone)}};
    const SlotPlace place = PlaceOf(ne, slotId);
    if (place.shelfModel == nullptr)
        return choices;
    const int position = static_cast<int>(place.index.Slot()) - 1;
    const uint32_t fixed = place.shelfModel->GetChildFixedType(position);
    for (int i = 0; i < GetEntityTypeCount(); ++i) {
        const CEntityType* type = GetEntityTypeAt(i);
        if (type == nullptr || type->GetLevel() != kBoardLevel || !BelongsToNe(*type, ne->neModelId))
            continue;
        const bool fits = fixed == kEntityTypeEmpty || fixed == kEntityTypeUnknown || fixed == type->GetId();
        if (fits && place.shelfModel->SlotAcceptsClass(position, type->GetProvClass()))
            choices.push_back({type->GetId(), type->GetDisplayName()});
    }
    return choices;
}

std::string BoardTypeName(uint32_t typeId)
{
    const CEntityType* type = FindEntityModel(typeId);
    return type != nullptr ? type->GetDisplayName() : std::string();
}

BoardSettings SettingsOf(const BoardSettingRec& board)
{
    return {board.aal5Encapsulation, board.vlanTagPassThrough, board.serviceTypeControl, board.taggedMode};
}

uint32_t BoardChangeConfirmation(const BoardSettings& loaded, const BoardSettings& chosen, bool connected,
                                 bool encapsulationResetsOnly)
{
    if (loaded == chosen)
        return 0;
    const bool encapsulation = loaded.aal5Encapsulation != chosen.aal5Encapsulation;
    const bool serviceControl = loaded.serviceTypeControl != chosen.serviceTypeControl;
    const bool tagPassThrough = loaded.vlanTagPassThrough != chosen.vlanTagPassThrough;
    const bool taggedMode = loaded.taggedMode != chosen.taggedMode;
    bool resets = false;
    if (connected && encapsulationResetsOnly)
        resets = encapsulation || serviceControl;
    else if (connected)
        resets = encapsulation || (tagPassThrough && chosen.taggedMode == kTaggedOnly) || serviceControl || taggedMode;
    return resets ? kStrSureToResetLineCard : kStrSureToModifyData;
}
