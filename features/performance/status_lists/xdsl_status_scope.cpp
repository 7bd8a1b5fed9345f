#include "features/performance/status_lists/xdsl_status_scope.h"

#include "core/tables/entity_node.h"
#include "core/tables/ne_table.h"
#include "platform/notify_codes.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/dialogs/entity_combos.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

#include <QComboBox>

CXdslStatusScope::CXdslStatusScope(CADialog& dialog, int kind, Combos combos)
    : dialog_(dialog), combos_(dialog,
                               {combos == Combos::kSlotPort ? 0 : kShelfComboId, kSlotComboId,
                                combos == Combos::kShelfSlot ? 0 : kPortComboId},
                               kind, 0),
      shown_(combos)
{
}

void CXdslStatusScope::Fill(const CNeRecord* ne, const CEntityIndex& target)
{
    const std::string all = LoadString(kStrAll);
    combos_.Refill(ne, 2, &target, all.c_str());
    if (shown_ != Combos::kSlotPort)
        HoldShelfComboOfSingleShelfNe(dialog_.GetDlgItemAs<QComboBox>(kShelfComboId), ne);
    ShowUplink(ne);
}

bool CXdslStatusScope::OnComboChange(int id, int code)
{
    const std::string all = LoadString(kStrAll);
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(dialog_.GetNeId()));
    if (shown_ == Combos::kShelfSlot) {
        // The slots follow the shelf's edited text, not a choice from its list; a slot change is nothing to follow.
        if (id == kShelfComboId && code == CBN_EDITCHANGE) {
            combos_.Refill(ne, 3);
            return true;
        }
        return code == CBN_SELCHANGE && (id == kShelfComboId || id == kSlotComboId);
    }
    const bool shelf = shown_ != Combos::kSlotPort;
    if (code != CBN_SELCHANGE || ((id != kShelfComboId || !shelf) && id != kSlotComboId && id != kPortComboId))
        return false;
    if (id == kPortComboId)
        return true;
    combos_.Refill(ne, id == kShelfComboId ? 3 : 4, nullptr, all.c_str());
    ShowUplink(ne);
    return true;
}

void CXdslStatusScope::ShowUplink(const CNeRecord* ne)
{
    if (shown_ != Combos::kShelfSlotPortGe || ne == nullptr)
        return;
    const CEntityIndex module = CwmModuleIndex(1, ne->neModelId);
    auto* slotCombo = dialog_.GetDlgItemAs<QComboBox>(kSlotComboId);
    auto* portCombo = dialog_.GetDlgItemAs<QComboBox>(kPortComboId);
    if (module.IsEmpty() || slotCombo == nullptr || portCombo == nullptr)
        return;
    const CEntityIndex chosen = combos_.Chosen();
    if (chosen.Shelf() == module.Shelf()) {
        const int item = slotCombo->findData(module.Slot());
        if (item >= 0)
            slotCombo->setItemText(item, QString::fromStdString(LoadString(kStrUplinkPorts)));
    }
    const bool uplink = chosen.Shelf() == module.Shelf() && chosen.Slot() == module.Slot();
    if (uplink) {
        const std::string all = LoadString(kStrAll);
        InitPortCombo(portCombo, ne, &module, kTrunkPorts, 0, all.c_str());
        portCombo->setCurrentIndex(0);
    }
    portCombo->setEnabled(!uplink);
}

std::optional<CEntityId> CXdslStatusScope::Chosen() const
{
    const CEntityIndex index = combos_.Chosen();
    if (index.GetLevel() < 3)
        return std::nullopt;
    return CEntityId(&index);
}

bool CXdslStatusScope::VlanColumnHidden(const CNeRecord* ne)
{
    if (ne == nullptr || ne->root == nullptr)
        return false;
    const CEntityIndex module = CwmModuleIndex(1, ne->neModelId);
    const CEntityNode* node = module.IsEmpty() ? nullptr : ne->root->FindChild(module);
    return node != nullptr && (node->componentFlags & kComponentUtg) != 0;
}

bool CXdslStatusScope::OnUplinkModule(const CNeRecord* ne, const CEntityIndex& index)
{
    if (ne == nullptr)
        return false;
    const CEntityIndex module = CwmModuleIndex(1, ne->neModelId);
    return !module.IsEmpty() && index.GetLevel() >= 3 && index.Truncated(3) == module;
}

bool CXdslStatusScope::Holds(uint32_t portId) const
{
    const std::optional<CEntityId> chosen = Chosen();
    return chosen && (chosen->id == portId || chosen->IsAncestorOf(portId));
}
