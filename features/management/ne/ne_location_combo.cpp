#include "features/management/ne/ne_location_combo.h"

#include "core/tables/app_data.h"
#include "core/tables/location_tree.h"

#include <QComboBox>
#include <QVariant>

namespace {

QVariant ItemData(uint32_t data)
{
    return QVariant::fromValue<quint32>(data);
}

} // namespace

void FillNeLocationCombo(QComboBox& combo, uint32_t selectedLocationId)
{
    combo.clear();
    // An operator of a location starts at it; the walk goes on past its subtree, where no location is in scope.
    const CLocationNode* start = FindLocation(AppData().scopeLocationId);
    if (AppData().scopeLocationId == 0 || start == nullptr) {
        combo.addItem(QString(), ItemData(0));
        start = &AppData().locations.Root();
    }
    for (const CLocationNode* node = start; node != nullptr; node = CLocationTree::NextInWalk(node)) {
        if (node->id != 0 && node->inScope != 0)
            combo.addItem(QString::fromStdString(node->name), ItemData(node->id));
    }
    const int index = combo.findData(ItemData(selectedLocationId));
    combo.setCurrentIndex(index >= 0 ? index : 0);
}

uint32_t SelectedNeLocation(const QComboBox* combo)
{
    return combo != nullptr && combo->currentIndex() >= 0 ? combo->currentData().value<quint32>() : 0;
}
