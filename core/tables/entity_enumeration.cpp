#include "core/tables/entity_enumeration.h"

#include "core/entity/entity_kind.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/tables/entity_node.h"
#include "core/tables/location_node.h"
#include "core/tables/ne_record.h"
#include "core/tables/user_account.h"

#include <array>

namespace {

// The model of the entity at an index of the NE: the model the NE's tree holds there, else the fixed type that the
// parent's model gives the position. Null when neither is a model.
const CEntityType* ModelAt(const CNeRecord& ne, const CEntityIndex& index, const CEntityType* parentModel,
                           const CEntityModelSet& models)
{
    if (ne.root) {
        if (const CEntityNode* node = ne.root->FindChild(index)) {
            if (const CEntityType* model = models.FindModel(node->GetModelId()))
                return model;
        }
    }
    if (parentModel == nullptr)
        return nullptr;
    const int position = static_cast<int>(index.At(index.GetLevel())) - 1;
    return models.FindModel(parentModel->GetChildFixedType(position));
}

std::string ChildName(const CEntityType& model, int position)
{
    const char* name = model.GetChildName(position);
    return name != nullptr && *name != '\0' ? std::string(name) : std::to_string(position + 1);
}

// The index of position `number` below `parent`; empty when the number cannot be addressed at that level.
CEntityIndex ChildIndex(const CEntityIndex& parent, unsigned number)
{
    std::array<unsigned, kEntityLevelCount> levels{};
    const int level = parent.GetLevel();
    if (level < kEntityLevelNe || level >= kEntityLevelCount)
        return {};
    for (int l = 1; l <= level; ++l)
        levels[static_cast<size_t>(l - 1)] = parent.At(l);
    levels[static_cast<size_t>(level)] = number;
    const CEntityIndex child = CEntityIndex::FromLevels(levels[0], levels[1], levels[2], levels[3], levels[4]);
    return child.GetLevel() == level + 1 ? child : CEntityIndex{};
}

// The positions of `model` below `parent` that suit the kind.
std::vector<EntityChoice> SuitablePositions(const CEntityType& model, const CEntityIndex& parent, int kind, int exact)
{
    std::vector<EntityChoice> choices;
    for (int position = 0; position < model.GetChildCount(); ++position) {
        const unsigned number = static_cast<unsigned>(position) + 1;
        const CEntityIndex index = ChildIndex(parent, number);
        if (!index.IsEmpty() && EntityMatchesKind(&model, &index, kind, exact) != 0)
            choices.push_back({number, ChildName(model, position)});
    }
    return choices;
}

// The first position of `model` below `parent` that suits the kind, 0 when none does.
unsigned FirstSuitable(const CEntityType& model, const CEntityIndex& parent, int kind, int exact)
{
    const std::vector<EntityChoice> choices = SuitablePositions(model, parent, kind, exact);
    return choices.empty() ? 0 : choices.front().number;
}

unsigned Requested(const CEntityIndex* current, int level, int selectFirst)
{
    const unsigned number = current != nullptr ? current->At(level) : 0;
    return number == 0 && selectFirst != 0 ? 1 : number;
}

const CEntityIndex kNeIndex = CEntityIndex::FromLevels(1);

// The shelf the slot and port combos work in, and its model; null model when there is none.
struct ShelfPick {
    CEntityIndex index;
    const CEntityType* model = nullptr;
};

// The model of the NE itself; null without an NE or a known model.
const CEntityType* NeModel(const CNeRecord* ne, const CEntityModelSet& models)
{
    return ne != nullptr ? models.FindModel(ne->neModelId) : nullptr;
}

ShelfPick PickShelf(const CNeRecord* ne, const CEntityIndex* current, int kind, int exact,
                    const CEntityModelSet& models)
{
    ShelfPick pick;
    const CEntityType* neModel = NeModel(ne, models);
    if (neModel == nullptr)
        return pick;
    unsigned shelf = current != nullptr ? current->Shelf() : 0;
    if (shelf == 0)
        shelf = FirstSuitable(*neModel, kNeIndex, kind, exact);
    pick.index = ChildIndex(kNeIndex, shelf);
    if (!pick.index.IsEmpty())
        pick.model = ModelAt(*ne, pick.index, neModel, models);
    return pick;
}

} // namespace

EntityChoices EnumerateShelfChoices(const CNeRecord* ne, const CEntityIndex* current, int kind, int selectFirst,
                                    int exact, const CEntityModelSet& models)
{
    EntityChoices result;
    const CEntityType* neModel = NeModel(ne, models);
    if (neModel == nullptr)
        return result;
    result.choices = SuitablePositions(*neModel, kNeIndex, kind, exact);
    result.requested = Requested(current, kEntityLevelShelf, selectFirst);
    return result;
}

EntityChoices EnumerateSlotChoices(const CNeRecord* ne, const CEntityIndex* current, int kind, int selectFirst,
                                   int exact, const CEntityModelSet& models)
{
    EntityChoices result;
    const ShelfPick shelf = PickShelf(ne, current, kind, exact, models);
    if (shelf.model == nullptr)
        return result;
    result.choices = SuitablePositions(*shelf.model, shelf.index, kind, exact);
    result.requested = Requested(current, kEntityLevelSlot, selectFirst);
    return result;
}

EntityChoices EnumeratePortChoices(const CNeRecord* ne, const CEntityIndex* current, int kind, int selectFirst,
                                   int exact, const CEntityModelSet& models)
{
    EntityChoices result;
    const ShelfPick shelf = PickShelf(ne, current, kind, exact, models);
    if (shelf.model == nullptr)
        return result;
    // The current slot counts only together with the current shelf.
    unsigned slot = current != nullptr && current->Shelf() != 0 ? current->Slot() : 0;
    if (slot == 0)
        slot = FirstSuitable(*shelf.model, shelf.index, kind, exact);
    const CEntityIndex slotIndex = ChildIndex(shelf.index, slot);
    if (slotIndex.IsEmpty())
        return result;
    const CEntityType* module = ModelAt(*ne, slotIndex, shelf.model, models);
    if (module == nullptr)
        return result;
    result.choices = SuitablePositions(*module, slotIndex, kind, exact);
    result.requested = Requested(current, kEntityLevelPort, selectFirst);
    return result;
}

EntityChoices EnumerateShelfChoices(const CNeRecord* ne, const CEntityIndex* current, int kind, int selectFirst,
                                    int exact)
{
    return EnumerateShelfChoices(ne, current, kind, selectFirst, exact, CurrentEntityModels());
}

EntityChoices EnumerateSlotChoices(const CNeRecord* ne, const CEntityIndex* current, int kind, int selectFirst,
                                   int exact)
{
    return EnumerateSlotChoices(ne, current, kind, selectFirst, exact, CurrentEntityModels());
}

EntityChoices EnumeratePortChoices(const CNeRecord* ne, const CEntityIndex* current, int kind, int selectFirst,
                                   int exact)
{
    return EnumeratePortChoices(ne, current, kind, selectFirst, exact, CurrentEntityModels());
}

namespace {

// The location rules shared by NEs and accounts, after their own checks.
int LocationMatches(uint32_t locationId, const CLocationNode* node, uint32_t filter, int withSubLocations)
{
    if (locationId == filter)
        return 1;
    if (node == nullptr && filter == 0)
        return 1;
    if (withSubLocations == 0)
        return 0;
    if (filter == 0)
        return 1;
    if (node == nullptr)
        return 0;
    return node->HasAncestor(filter) != 0 ? 1 : 0;
}

} // namespace

int NeMatchesLocation(const CNeRecord* ne, const CLocationNode* node, uint32_t filter, int withSubLocations,
                      int connectedOnly)
{
    if (ne == nullptr || ne->inUse == 0 || ne->inScope == 0)
        return 0;
    if (connectedOnly != 0) {
        if (!ne->root || !ne->root->IsConnected() || ne->planned != 0)
            return 0;
    }
    return LocationMatches(ne->locationId, node, filter, withSubLocations);
}

int AccountMatchesLocation(const CUserAccount* account, const CLocationNode* node, uint32_t filter,
                           int withSubLocations)
{
    if (account == nullptr || account->active == 0)
        return 0;
    return LocationMatches(account->locationId, node, filter, withSubLocations);
}
