#include "ui/framework/dialogs/location_ne_combos.h"

#include "core/config/app_settings.h"
#include "core/tables/app_data.h"
#include "core/tables/entity_enumeration.h"
#include "core/tables/location_tree.h"
#include "core/tables/ne_table.h"

#include <QComboBox>

namespace {

QVariant ItemValue(uint32_t value)
{
    return QVariant::fromValue<quint32>(value);
}

} // namespace

void FillLocationCombo(QComboBox* combo, uint32_t selectId, LocationChoice choice)
{
    if (combo == nullptr)
        return;
    combo->clear();
    combo->addItem(QString::fromStdString(AppSettings().company), ItemValue(0));
    const CLocationTree& tree = AppData().locations;
    const uint32_t scope = AppData().scopeLocationId;
    const CLocationNode* top = scope != 0 ? tree.FindLocation(scope) : &tree.Root();
    const bool walkStartOnly = choice == LocationChoice::kWalkStartOnly;
    // Chosen at any depth, the root is left out: it names no location of its own. Compared at the walk's start
    // only, the walk lists its first node whatever it is, the root "<Root>" too.
    const CLocationNode* first = top == &tree.Root() && !walkStartOnly ? CLocationTree::NextInWalk(top) : top;
    int startIndex = -1;
    for (const CLocationNode* node = first; node != nullptr; node = CLocationTree::NextInSubtree(node, top)) {
        if (node->inScope != 1)
            continue;
        if (node == top)
            startIndex = combo->count();
        combo->addItem(QString::fromStdString(node->name), ItemValue(node->id));
    }
    if (walkStartOnly) {
        // By position: the root's value 0 is the company's as well.
        combo->setCurrentIndex(startIndex >= 0 && top->id == selectId ? startIndex : 0);
        return;
    }
    if (!SelectComboValue(combo, selectId))
        combo->setCurrentIndex(0);
}

void FillNeCombo(QComboBox* combo, uint32_t locationId, uint32_t selectId, bool withSubLocations)
{
    if (combo == nullptr)
        return;
    combo->clear();
    for (const CNeRecord* ne = ResolveNeRecord(nullptr); ne != nullptr; ne = ne->GetNext()) {
        if (NeMatchesLocation(ne, FindLocation(ne->locationId), locationId, withSubLocations ? 1 : 0, 0) != 0)
            combo->addItem(QString::fromStdString(ne->name), ItemValue(ne->neId));
    }
    if (combo->count() > 0 && !SelectComboValue(combo, selectId))
        combo->setCurrentIndex(0);
}

uint32_t SelectedComboValue(const QComboBox* combo)
{
    if (combo == nullptr || combo->currentIndex() < 0)
        return 0;
    return combo->currentData().value<quint32>();
}

bool SelectComboValue(QComboBox* combo, uint32_t value)
{
    const int index = combo != nullptr ? combo->findData(ItemValue(value)) : -1;
    if (index < 0)
        return false;
    combo->setCurrentIndex(index);
    return true;
}
