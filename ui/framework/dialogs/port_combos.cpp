#include "ui/framework/dialogs/port_combos.h"

#include "platform/dialog.h"
#include "ui/framework/dialogs/entity_combos.h"

#include <QComboBox>

void CPortCombos::Refill(const CNeRecord* ne, int fromLevel, const CEntityIndex* wanted,
                         const char* portFirstItem) const
{
    auto at = [&] { return wanted != nullptr ? *wanted : Chosen(); };
    if (fromLevel <= 2 && ids_.shelf == 0 && wanted != nullptr)
        shelf_ = wanted->GetLevel() >= 2 && wanted->Shelf() != 0 ? wanted->Shelf() : 1;
    if (fromLevel <= 2 && ids_.shelf != 0) {
        const CEntityIndex index = at();
        InitShelfCombo(dialog_.GetDlgItemAs<QComboBox>(ids_.shelf), ne, &index, kind_, exact_);
    }
    if (fromLevel <= 3) {
        const CEntityIndex index = at();
        InitSlotCombo(dialog_.GetDlgItemAs<QComboBox>(ids_.slot), ne, &index, kind_, exact_);
    }
    if (ids_.port == 0)
        return;
    CEntityIndex index = at();
    // A slot the slot combo does not list: the ports of the slot it chose instead.
    if (const CEntityIndex chosen = Chosen();
        wanted != nullptr && chosen.Slot() != 0 && (chosen.Shelf() != index.Shelf() || chosen.Slot() != index.Slot()))
        index = CEntityIndex::FromLevels(1, chosen.Shelf(), chosen.Slot(), index.Port());
    InitPortCombo(dialog_.GetDlgItemAs<QComboBox>(ids_.port), ne, &index, kind_, exact_, portFirstItem);
}

CEntityIndex CPortCombos::Chosen() const
{
    const unsigned shelf = ids_.shelf == 0 ? shelf_ : SelectedEntityNumber(dialog_.GetDlgItemAs<QComboBox>(ids_.shelf));
    return CEntityIndex::FromLevels(1, shelf, SelectedEntityNumber(dialog_.GetDlgItemAs<QComboBox>(ids_.slot)),
                                    ids_.port == 0 ? 0
                                                   : SelectedEntityNumber(dialog_.GetDlgItemAs<QComboBox>(ids_.port)));
}
