#include "core/entity/possible_child_types.h"

#include "core/entity/entity_model_set.h"

namespace {

bool PositionTakes(const CEntityType& parent, int position, const CEntityType& type)
{
    const uint32_t fixed = parent.GetChildFixedType(position);
    const bool typeFits = fixed == kEntityTypeEmpty || fixed == kEntityTypeUnknown || fixed == type.GetId();
    return typeFits && parent.SlotAcceptsClass(position, type.GetProvClass());
}

} // namespace

std::vector<const CEntityType*> PossibleChildTypes(const CEntityType& parent, uint32_t neModelId)
{
    std::vector<const CEntityType*> children;
    const int level = parent.GetLevel() + 1;
    if (parent.GetLevel() < kEntityLevelNe || level > kEntityLevelPort)
        return children;
    for (int i = 0; i < GetEntityTypeCount(); ++i) {
        const CEntityType* type = GetEntityTypeAt(i);
        if (type == nullptr || type->GetLevel() != level)
            continue;
        if (type->GetNeModelId() != neModelId && !NeModelMatchesAnyNe(type->GetNeModelId()))
            continue;
        for (int position = 0; position < parent.GetChildCount(); ++position) {
            if (PositionTakes(parent, position, *type)) {
                children.push_back(type);
                break;
            }
        }
    }
    return children;
}
