#include "features/performance/pm/pm_port_target.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_record.h"
#include "core/tables/ne_table.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/messages/string_ids.h"

namespace {

constexpr int kPortLevel = 4;

const CEntityType* ModelOf(const CNeRecord& ne, uint32_t entityId)
{
    const CEntityNode* node = ne.root != nullptr ? ne.root->FindById(entityId) : nullptr;
    return node != nullptr ? CurrentEntityModels().FindModel(node->GetType()) : nullptr;
}

bool Refuse(CADialog& dialog, uint32_t stringId)
{
    dialog.ShowAlertTextById(stringId);
    dialog.EndDialog(IDCANCEL);
    return false;
}

} // namespace

uint8_t EntityProvClass(const CNeRecord& ne, uint32_t entityId)
{
    const CEntityType* model = ModelOf(ne, entityId);
    return model != nullptr ? model->GetProvClass() : 0;
}

bool CheckPmPortTargetOrClose(CADialog& dialog, int right, uint8_t portClass)
{
    if (dialog.CheckAccessRightOrClose(right) != 0 || dialog.CheckTargetNeOrClose() != 0)
        return false;
    const CEntityIndex& index = dialog.GetTargetEntity().index;
    if (index.GetLevel() != kPortLevel)
        return Refuse(dialog, kStrInternalError);
    const CNeRecord& ne = *FindNeById(static_cast<uint32_t>(dialog.GetNeId()));
    const CEntityType* board = ModelOf(ne, EntityIdFromIndexValue(index.Truncated(3)));
    if (board == nullptr)
        return Refuse(dialog, kStrUnknownEntityType);
    if (!board->SlotAcceptsClass(static_cast<int>(index.Port()) - 1, portClass))
        return Refuse(dialog, kStrEntityTypeWrong);
    return true;
}
