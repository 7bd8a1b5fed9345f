#include "core/tables/entity_alarm_names.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_record.h"

bool IsEmptyEntityType(uint32_t type)
{
    return type == kEntityTypeEmpty || type == kEntityTypeUnknown;
}

const CEntityType* FindPlannedEntityModel(const CNeRecord* ne, uint32_t entityId, uint32_t plannedType)
{
    if (!IsEmptyEntityType(plannedType))
        return FindEntityModel(plannedType);
    if (ne == nullptr || ne->root == nullptr)
        return nullptr;
    const CEntityNode* node = ne->root->FindById(entityId);
    const CEntityNode* parent = node != nullptr ? node->GetParent() : nullptr;
    if (parent == nullptr)
        return nullptr;
    const CEntityType* parentModel = FindEntityModel(parent->GetModelId());
    return parentModel != nullptr ? FindEntityModel(parentModel->GetChildEmpty(node->GetPosition())) : nullptr;
}

std::optional<std::string> AlarmNamesOfBits(const CEntityType& model, uint32_t bits)
{
    std::string names;
    for (int i = 0; i < kEntityAlarmCount; ++i) {
        if ((bits & (1u << i)) == 0)
            continue;
        const CEntityAlarmDef* def = model.GetAlarmDef(i);
        if (def == nullptr)
            continue;
        if (!names.empty())
            names += ',';
        names += def->name;
    }
    if (bits != 0 && names.empty())
        return std::nullopt;
    return names;
}

std::optional<uint8_t> BuiltinAlarmOfTypes(uint32_t plannedType, uint32_t onlineType, bool isNe)
{
    const bool plannedEmpty = IsEmptyEntityType(plannedType);
    const bool onlineEmpty = IsEmptyEntityType(onlineType);
    if (plannedEmpty && onlineEmpty)
        return std::nullopt;
    if (plannedEmpty)
        return kEntityAlarmUnexpected;
    if (onlineEmpty)
        return isNe ? kEntityAlarmOffline : kEntityAlarmMissing;
    return kEntityAlarmWrongType;
}
