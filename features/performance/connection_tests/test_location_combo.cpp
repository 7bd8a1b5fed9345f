#include "features/performance/connection_tests/test_location_combo.h"

#include "core/tables/app_data.h"
#include "ui/framework/dialogs/location_ne_combos.h"

#include <QComboBox>

void FillTestLocationCombo(QComboBox* combo, uint32_t locationId)
{
    if (combo == nullptr)
        return;
    FillLocationCombo(combo, locationId, LocationChoice::kWalkStartOnly);
    if (AppData().scopeLocationId == 0)
        combo->setItemText(0, QString());
    else
        combo->removeItem(0);
}
