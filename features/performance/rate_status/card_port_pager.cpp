#include "features/performance/rate_status/card_port_pager.h"

#include "core/tables/entity_node.h"
#include "core/tables/ne_record.h"
#include "ui/framework/dialogs/ca_dialog.h"

namespace card_port_pager {

bool IsPagerButton(int id)
{
    return id == kFirstId || id == kPreviousId || id == kNextId || id == kLastId;
}

void EnableButtons(CADialog& dialog, const CEntityNode& port)
{
    const CEntityNode* card = port.GetParent();
    if (card == nullptr) {
        dialog.EnableControls({kRefreshButtonId, kFirstId, kPreviousId, kNextId, kLastId}, false);
        return;
    }
    const int position = port.GetPosition();
    dialog.EnableControls({kFirstId, kPreviousId}, position != 0);
    dialog.EnableControls({kNextId, kLastId}, position != card->GetChildCount() - 1);
}

std::optional<CEntityId> PortOfButton(const CNeRecord* ne, const CEntityId& current, int buttonId)
{
    const CEntityNode* node = ne != nullptr && ne->root != nullptr ? ne->root->FindById(current.id) : nullptr;
    if (node == nullptr || node->GetParent() == nullptr)
        return std::nullopt;
    const int count = node->GetParent()->GetChildCount();
    int position = node->GetPosition();
    switch (buttonId) {
    case kFirstId:
        position = 0;
        break;
    case kPreviousId:
        --position;
        break;
    case kNextId:
        ++position;
        break;
    case kLastId:
        position = count - 1;
        break;
    default:
        return std::nullopt;
    }
    if (position < 0 || position >= count)
        return std::nullopt;
    CEntityId port;
    port.SetLevels(1, current.index.Shelf(), current.index.Slot(), static_cast<uint8_t>(position + 1), 0);
    return port;
}

} // namespace card_port_pager
