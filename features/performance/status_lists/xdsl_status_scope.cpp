#include "features/performance/status_lists/xdsl_status_scope.h"

#include "core/tables/ne_table.h"
#include "platform/notify_codes.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

#include <QComboBox>

CXdslStatusScope::CXdslStatusScope(CADialog& dialog, int kind)
    : dialog_(dialog), combos_(dialog, {kShelfComboId, kSlotComboId, kPortComboId}, kind, 0)
{
}

void CXdslStatusScope::Fill(const CNeRecord* ne, const CEntityIndex& target)
{
    const std::string all = LoadString(kStrAll);
    combos_.Refill(ne, 2, &target, all.c_str());
    auto* shelf = dialog_.GetDlgItemAs<QComboBox>(kShelfComboId);
    if (shelf != nullptr && shelf->count() < 2) {
        shelf->setCurrentIndex(shelf->count() > 0 ? 0 : -1);
        shelf->setEnabled(false);
    }
}

bool CXdslStatusScope::OnComboChange(int id, int code)
{
    if (code != CBN_SELCHANGE || (id != kShelfComboId && id != kSlotComboId && id != kPortComboId))
        return false;
    if (id == kPortComboId)
        return true;
    const std::string all = LoadString(kStrAll);
    combos_.Refill(FindNeById(static_cast<uint32_t>(dialog_.GetNeId())), id == kShelfComboId ? 3 : 4, nullptr,
                   all.c_str());
    return true;
}

std::optional<CEntityId> CXdslStatusScope::Chosen() const
{
    const CEntityIndex index = combos_.Chosen();
    if (index.GetLevel() < 3)
        return std::nullopt;
    return CEntityId(&index);
}
