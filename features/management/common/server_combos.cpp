#include "features/management/common/server_combos.h"

#include "core/config/app_settings.h"
#include "core/config/ini_readers.h"
#include "core/tables/app_data.h"
#include "core/tables/entity_enumeration.h"
#include "core/tables/location_tree.h"
#include "core/tables/ne_table.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

#include <QComboBox>
#include <QVariant>

namespace {

QVariant ItemData(uint32_t data)
{
    return QVariant::fromValue<quint32>(data);
}

void AddLocation(QComboBox* combo, const CLocationNode& node)
{
    if (node.kind == CLocationNode::kKindLocation)
        combo->addItem(QString::fromStdString(node.name), ItemData(node.id));
}

void AddRoot(QComboBox* combo)
{
    const CLocationNode& root = AppData().locations.Root();
    combo->addItem(QString::fromStdString(root.name), ItemData(root.id));
}

void SelectOrFirst(QComboBox* combo, uint32_t data)
{
    if (!SelectComboItemData(combo, data) && combo->count() > 0)
        combo->setCurrentIndex(0);
}

} // namespace

void FillOwnLocationCombo(QComboBox* combo, uint32_t selectId)
{
    if (combo == nullptr)
        return;
    combo->clear();
    AddRoot(combo);
    const CLocationNode& root = AppData().locations.Root();
    const CLocationNode* own = FindLocation(AppData().scopeLocationId);
    // An operator bound to a location is offered that location and what lies below it, nothing beside it.
    const CLocationNode* top = own != nullptr ? own : &root;
    for (const CLocationNode* node = own != nullptr ? own : CLocationTree::NextInSubtree(&root, &root); node != nullptr;
         node = CLocationTree::NextInSubtree(node, top))
        AddLocation(combo, *node);
    SelectOrFirst(combo, selectId);
}

void FillScopeLocationCombo(QComboBox* combo, uint32_t selectId)
{
    if (combo == nullptr)
        return;
    combo->clear();
    AddRoot(combo);
    const CLocationNode& root = AppData().locations.Root();
    for (const CLocationNode* node = CLocationTree::NextInWalk(&root); node != nullptr;
         node = CLocationTree::NextInWalk(node)) {
        if (node->inScope != 0)
            AddLocation(combo, *node);
    }
    SelectOrFirst(combo, selectId);
}

void FillLocationNeCombo(QComboBox* combo, uint32_t locationId, bool withAllItem, uint32_t selectNeId)
{
    if (combo == nullptr)
        return;
    combo->clear();
    if (withAllItem)
        combo->addItem(LoadQString(kStrAll), ItemData(0));
    const bool withSubLocations = ReadIniBool("DIALOG", "INCLSUBNE", true, ConfigFilePath());
    for (const CNeRecord* ne = ResolveNeRecord(nullptr); ne != nullptr; ne = ne->GetNext()) {
        if (NeMatchesLocation(ne, FindLocation(ne->locationId), locationId, withSubLocations ? 1 : 0, 0) != 0)
            combo->addItem(QString::fromStdString(ne->name), ItemData(ne->neId));
    }
    SelectOrFirst(combo, selectNeId);
}

bool EndWithoutServer(CADialog& dialog)
{
    if (!AppSettings().directControl)
        return false;
    dialog.EndDialog(IDCANCEL);
    return true;
}

uint32_t ComboItemData(const QComboBox* combo)
{
    return combo != nullptr && combo->currentIndex() >= 0 ? combo->currentData().value<quint32>() : 0;
}

bool SelectComboItemData(QComboBox* combo, uint32_t data)
{
    if (combo == nullptr)
        return false;
    const int index = combo->findData(ItemData(data));
    if (index < 0)
        return false;
    combo->setCurrentIndex(index);
    return true;
}
