#include "ui/framework/dialogs/port_combos.h"

#include "platform/dialog.h"
#include "ui/framework/dialogs/entity_combos.h"

#include <QComboBox>

void CPortCombos::Refill(const CNeRecord* ne, int fromLevel, const CEntityIndex* wanted,
                         const char* portFirstItem) const
{
    auto at = [&] { return wanted != nullptr ? *wanted : Chosen(); };
    if (fromLevel <= 2) {
        const CEntityIndex index = at();
        InitShelfCombo(dialog_.GetDlgItemAs<QComboBox>(ids_.shelf), ne, &index, kind_, exact_);
    }
    if (fromLevel <= 3) {
        const CEntityIndex index = at();
        InitSlotCombo(dialog_.GetDlgItemAs<QComboBox>(ids_.slot), ne, &index, kind_, exact_);
    }
    if (ids_.port == 0)
        return;
    const CEntityIndex index = at();
    InitPortCombo(dialog_.GetDlgItemAs<QComboBox>(ids_.port), ne, &index, kind_, exact_, portFirstItem);
}

CEntityIndex CPortCombos::Chosen() const
{
    return CEntityIndex::FromLevels(1, SelectedEntityNumber(dialog_.GetDlgItemAs<QComboBox>(ids_.shelf)),
                                    SelectedEntityNumber(dialog_.GetDlgItemAs<QComboBox>(ids_.slot)),
                                    ids_.port == 0 ? 0
                                                   : SelectedEntityNumber(dialog_.GetDlgItemAs<QComboBox>(ids_.port)));
}
