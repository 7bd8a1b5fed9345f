#include "features/management/subscribers/subscriber_port_combos.h"

#include "core/tables/location_tree.h"
#include "core/tables/ne_table.h"
#include "features/management/common/server_combos.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/dialogs/entity_combos.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

#include <QComboBox>

namespace {

// Entity kinds of the searches' filters and of a subscriber's port: both offer the line cards' ports.
constexpr int kSearchKind = 5;
constexpr int kPortKind = 9;

} // namespace

CSubscriberPortCombos::CSubscriberPortCombos(CADialog& dialog, bool withAll)
    : dialog_(dialog), withAll_(withAll), kind_(withAll ? kSearchKind : kPortKind)
{
}

QComboBox* CSubscriberPortCombos::Combo(int id) const
{
    return dialog_.GetDlgItemAs<QComboBox>(id);
}

const char* CSubscriberPortCombos::AllText() const
{
    static const std::string all = LoadString(kStrAll);
    return withAll_ ? all.c_str() : nullptr;
}

void CSubscriberPortCombos::FillForNe(uint32_t neId, uint32_t locationId)
{
    FillScopeLocationCombo(Combo(kLocationComboId), locationId);
    FillLocationNeCombo(Combo(kNeComboId), ComboItemData(Combo(kLocationComboId)), withAll_, neId);
}

void CSubscriberPortCombos::FillNes()
{
    FillLocationNeCombo(Combo(kNeComboId), ComboItemData(Combo(kLocationComboId)), withAll_, ChosenNeId());
}

void CSubscriberPortCombos::FillShelves(const CEntityIndex& current)
{
    FillShelfCombo(Combo(kShelfComboId), ChosenNe(), &current, kind_, AllText(), 0, 0);
    FillSlots(current);
}

void CSubscriberPortCombos::FillSlots(const CEntityIndex& current)
{
    const CEntityIndex shelf = CEntityIndex::FromLevels(1, Chosen(kShelfComboId), current.Slot(), current.Port());
    FillSlotCombo(Combo(kSlotComboId), ChosenNe(), &shelf, kind_, AllText(), 0, 0);
    FillPorts(current);
}

void CSubscriberPortCombos::FillPorts(const CEntityIndex& current)
{
    const CEntityIndex slot = CEntityIndex::FromLevels(1, Chosen(kShelfComboId), Chosen(kSlotComboId), current.Port());
    FillPortCombo(Combo(kPortComboId), ChosenNe(), &slot, kind_, AllText(), 0, 0);
    EnableLevels();
}

void CSubscriberPortCombos::EnableLevels()
{
    if (!withAll_)
        return;
    const bool ne = ChosenNe() != nullptr;
    dialog_.EnableControl(kShelfComboId, ne);
    dialog_.EnableControl(kSlotComboId, ne && Chosen(kShelfComboId) != 0);
    dialog_.EnableControl(kPortComboId, ne && Chosen(kShelfComboId) != 0 && Chosen(kSlotComboId) != 0);
}

void CSubscriberPortCombos::OfferShelves()
{
    // An NE chosen by the operator opens its shelves to choice, even " <ALL>" whose only shelf is " <ALL>"; only the
    // NE a search opens with keeps them shut when the table does not hold it.
    if (withAll_)
        dialog_.EnableControl(kShelfComboId, true);
}

uint32_t CSubscriberPortCombos::ChosenNeId() const
{
    return ComboItemData(Combo(kNeComboId));
}

const CNeRecord* CSubscriberPortCombos::ChosenNe() const
{
    const QComboBox* nes = Combo(kNeComboId);
    return nes != nullptr && nes->count() > 0 ? FindNeById(ChosenNeId()) : nullptr;
}

unsigned CSubscriberPortCombos::Chosen(int comboId) const
{
    return SelectedEntityNumber(Combo(comboId));
}

CEntityIndex CSubscriberPortCombos::ChosenIndex() const
{
    return CEntityIndex::FromLevels(1, Chosen(kShelfComboId), Chosen(kSlotComboId), Chosen(kPortComboId));
}

bool CSubscriberPortCombos::OnSelChange(int id)
{
    const CEntityIndex none;
    switch (id) {
    case kLocationComboId:
        FillNes();
        FillShelves(none);
        OfferShelves();
        return true;
    case kNeComboId:
        FillShelves(none);
        OfferShelves();
        return true;
    case kShelfComboId:
        FillSlots(none);
        return true;
    case kSlotComboId:
        FillPorts(none);
        return true;
    case kPortComboId:
        return true;
    default:
        return false;
    }
}
