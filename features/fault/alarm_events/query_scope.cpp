#include "features/fault/alarm_events/query_scope.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kPortLevel = 4;
// The shelf combo of an NE with one shelf: " <none>" and the shelf.
constexpr int kSingleShelfEntries = 2;

bool NamesEntity(uint32_t data)
{
    return data != kScopeNone && data != kScopeAll;
}

} // namespace

QueryScope ScopeOfChoice(const ScopeChoice& choice)
{
    QueryScope scope;
    scope.entity.SetLevels(1, choice.shelf, choice.slot, choice.port, 0);
    const std::array<uint32_t, 3> levels = {choice.shelf, choice.slot, choice.port};
    for (uint32_t data : levels) {
        if (!NamesEntity(data)) {
            scope.withSubEntities = data == kScopeAll;
            break;
        }
    }
    if (NamesEntity(choice.shelf) && choice.slot == kScopeAll && choice.shelfEntries == kSingleShelfEntries)
        scope.entity = CEntityId(0u);
    return scope;
}

EntityRange EntityRangeOf(const CEntityId& entity, bool withSubEntities)
{
    if (!withSubEntities)
        return {entity.id, entity.id};
    return {std::min(entity.id, FirstEntityIdUnder(entity.index, kPortLevel)),
            std::max(entity.id, LastEntityIdUnder(entity.index, kPortLevel))};
}
