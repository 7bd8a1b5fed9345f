#include "features/fault/trap_log/trap_log_filter_dlg.h"

#include "core/config/ini_readers.h"
#include "core/entity/entity_id.h"
#include "core/tables/app_data.h"
#include "core/tables/entity_enumeration.h"
#include "core/tables/entity_labels.h"
#include "core/tables/entity_node.h"
#include "core/tables/location_tree.h"
#include "core/tables/ne_table.h"
#include "core/tables/trap_log_ring.h"
#include "features/fault/trap_log/trap_log_filter_store.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/shell/app/config_file_path.h"
#include "ui_trap_log_filter_dlg.h"

#include <QComboBox>

#include <array>

namespace {

const QString kNoneText = QStringLiteral(" <none>");
const QString kAllText = QStringLiteral(" <ALL>");

// The severity boxes and their mask bits, and the statics that show their images.
struct SeverityBox {
    int checkId;
    int bit;
    int imageId;
    int image;
};
constexpr std::array<SeverityBox, 6> kSeverityBoxes = {{
    {CTrapLogFilterDlg::kCriticalCheckId, 1, 1040, 12},
    {CTrapLogFilterDlg::kMajorCheckId, 2, 1042, 13},
    {CTrapLogFilterDlg::kMinorCheckId, 3, 1043, 14},
    {CTrapLogFilterDlg::kWarningCheckId, 4, 1045, 15},
    {CTrapLogFilterDlg::kInfoCheckId, 5, 1395, 16},
    {CTrapLogFilterDlg::kClearCheckId, 0, 1048, 11},
}};

QVariant ItemData(uint32_t data)
{
    return QVariant::fromValue<quint32>(data);
}

// Whether the NE combo lists the NEs of the chosen location's sub-locations too.
bool IncludeSubLocationNes()
{
    return ReadIniBool("DIALOG", "INCLSUBNE", true, CurrentConfigFilePath());
}

// The present children of an entity, as combo items: the number and the label the models give it.
void AddChildItems(QComboBox& combo, const CNeRecord* ne, const CEntityIndex& parentIndex)
{
    if (ne == nullptr || ne->root == nullptr)
        return;
    CEntityNode* parent = ne->root->FindChild(parentIndex);
    if (parent == nullptr)
        return;
    const int level = parentIndex.GetLevel() + 1;
    for (int i = 0; i < parent->GetChildCount(); ++i) {
        const CEntityNode* child = parent->GetChild(i);
        const unsigned number = static_cast<unsigned>(i) + 1;
        // Numbers an entity id cannot carry cannot be chosen either.
        if (child == nullptr || child->IsAbsent() || number > GetMaxEntityLevel(level))
            continue;
        const CEntityIndex index = child->GetIndex();
        combo.addItem(QString::fromStdString(GetEntityLevelLabel(ne, index)), ItemData(number));
    }
}

// " <none>", the items `fill` adds, " <ALL>"; the given item selected.
template <class Fill> void RefillEntityCombo(QComboBox& combo, Fill fill, bool selectAll, bool enabled)
{
    combo.clear();
    combo.addItem(kNoneText, ItemData(CTrapLogFilterDlg::kNoneItem));
    fill(combo);
    combo.addItem(kAllText, ItemData(CTrapLogFilterDlg::kAllItem));
    combo.setCurrentIndex(selectAll ? combo.count() - 1 : 0);
    combo.setEnabled(enabled);
}

bool IsPosition(uint32_t data)
{
    return data != CTrapLogFilterDlg::kNoneItem && data != CTrapLogFilterDlg::kAllItem;
}

} // namespace

CTrapLogFilterDlg::CTrapLogFilterDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CTrapLogFilterDlg>())
{
    ui_->setupUi(this);
}

CTrapLogFilterDlg::~CTrapLogFilterDlg() = default;

QComboBox* CTrapLogFilterDlg::Combo(int id) const
{
    return GetDlgItemAs<QComboBox>(id);
}

uint32_t CTrapLogFilterDlg::SelectedData(int comboId) const
{
    const QComboBox* combo = Combo(comboId);
    return combo != nullptr && combo->currentIndex() >= 0 ? combo->currentData().value<quint32>() : 0;
}

bool CTrapLogFilterDlg::SelectData(int comboId, uint32_t data)
{
    QComboBox* combo = Combo(comboId);
    const int index = combo != nullptr ? combo->findData(ItemData(data)) : -1;
    if (index < 0)
        return false;
    combo->setCurrentIndex(index);
    return true;
}

void CTrapLogFilterDlg::DoDataExchange(CDataExchange& dx)
{
    for (size_t i = 0; i < kSeverityBoxes.size(); ++i)
        DDX_Check(dx, kSeverityBoxes[i].checkId, severityChecks_[i]);
}

void CTrapLogFilterDlg::InitData()
{
    uint32_t locationId = 0;
    uint32_t neId = 0;
    uint32_t entityId = 0;
    uint32_t mask = 0;
    GetTrapLogFilter(&locationId, &neId, &entityId, &mask);
    for (size_t i = 0; i < kSeverityBoxes.size(); ++i)
        severityChecks_[i] = (mask & (1u << kSeverityBoxes[i].bit)) != 0 ? 1 : 0;
    UpdateData(false);

    FillLocationCombo(locationId);
    FillNeCombo(SelectedData(kLocationComboId), neId);
    FillShelfCombo();
    SelectEntity(entityId, mask);
}

void CTrapLogFilterDlg::FillLocationCombo(uint32_t selectedId)
{
    QComboBox* combo = Combo(kLocationComboId);
    if (combo == nullptr)
        return;
    combo->clear();
    const CLocationNode& root = AppData().locations.Root();
    combo->addItem(QString::fromStdString(root.name), ItemData(0));
    for (const CLocationNode* node = CLocationTree::NextInWalk(&root); node != nullptr;
         node = CLocationTree::NextInWalk(node))
        combo->addItem(QString::fromStdString(node->name), ItemData(node->id));
    if (!SelectData(kLocationComboId, selectedId))
        combo->setCurrentIndex(0);
}

void CTrapLogFilterDlg::FillNeCombo(uint32_t locationId, uint32_t selectedNeId)
{
    QComboBox* combo = Combo(kNeComboId);
    if (combo == nullptr)
        return;
    combo->clear();
    combo->addItem(kAllText, ItemData(0));
    const int withSub = IncludeSubLocationNes() ? 1 : 0;
    for (const CNeRecord* ne = ResolveNeRecord(nullptr); ne != nullptr; ne = ne->GetNext()) {
        if (NeMatchesLocation(ne, FindLocation(ne->locationId), locationId, withSub, 0) != 0)
            combo->addItem(QString::fromStdString(ne->name), ItemData(ne->neId));
    }
    if (selectedNeId == 0 || !SelectData(kNeComboId, selectedNeId))
        combo->setCurrentIndex(0);
}

void CTrapLogFilterDlg::FillShelfCombo()
{
    QComboBox* shelf = Combo(kShelfComboId);
    QComboBox* slot = Combo(kSlotComboId);
    QComboBox* port = Combo(kPortComboId);
    if (shelf == nullptr || slot == nullptr || port == nullptr)
        return;
    const CNeRecord* ne = FindNeById(SelectedData(kNeComboId));
    RefillEntityCombo(
        *shelf, [ne](QComboBox& combo) { AddChildItems(combo, ne, CEntityIndex::FromLevels(1)); }, true, true);
    RefillEntityCombo(
        *slot, [](QComboBox&) {}, true, false);
    RefillEntityCombo(
        *port, [](QComboBox&) {}, true, false);
}

void CTrapLogFilterDlg::FillSlotCombo()
{
    QComboBox* shelf = Combo(kShelfComboId);
    QComboBox* slot = Combo(kSlotComboId);
    QComboBox* port = Combo(kPortComboId);
    if (shelf == nullptr || slot == nullptr || port == nullptr)
        return;
    const uint32_t shelfNumber = SelectedData(kShelfComboId);
    if (!IsPosition(shelfNumber)) {
        const bool all = shelf->currentIndex() > 0;
        RefillEntityCombo(
            *slot, [](QComboBox&) {}, all, false);
        RefillEntityCombo(
            *port, [](QComboBox&) {}, all, false);
        return;
    }
    const CNeRecord* ne = FindNeById(SelectedData(kNeComboId));
    const CEntityIndex shelfIndex = CEntityIndex::FromLevels(1, shelfNumber);
    RefillEntityCombo(
        *slot, [ne, shelfIndex](QComboBox& combo) { AddChildItems(combo, ne, shelfIndex); }, true, true);
    RefillEntityCombo(
        *port, [](QComboBox&) {}, true, false);
}

void CTrapLogFilterDlg::FillPortCombo()
{
    QComboBox* slot = Combo(kSlotComboId);
    QComboBox* port = Combo(kPortComboId);
    if (slot == nullptr || port == nullptr)
        return;
    const uint32_t slotNumber = SelectedData(kSlotComboId);
    if (!IsPosition(slotNumber)) {
        RefillEntityCombo(
            *port, [](QComboBox&) {}, slot->currentIndex() > 0, false);
        return;
    }
    const CNeRecord* ne = FindNeById(SelectedData(kNeComboId));
    const CEntityIndex slotIndex = CEntityIndex::FromLevels(1, SelectedData(kShelfComboId), slotNumber);
    RefillEntityCombo(
        *port, [ne, slotIndex](QComboBox& combo) { AddChildItems(combo, ne, slotIndex); }, true, true);
}

void CTrapLogFilterDlg::SelectEntity(uint32_t entityId, uint32_t mask)
{
    const CEntityIndex index = EntityIndexFromId(entityId);
    const bool below = (mask & kTrapLogFilterBelow) != 0;
    auto selectEnd = [this, below](int comboId) {
        if (QComboBox* combo = Combo(comboId))
            combo->setCurrentIndex(below ? combo->count() - 1 : 0);
    };
    switch (index.GetLevel()) {
    case 1:
        selectEnd(kShelfComboId);
        selectEnd(kSlotComboId);
        selectEnd(kPortComboId);
        break;
    case 2:
        SelectData(kShelfComboId, index.Shelf());
        FillSlotCombo();
        selectEnd(kSlotComboId);
        selectEnd(kPortComboId);
        break;
    case 3:
        SelectData(kShelfComboId, index.Shelf());
        FillSlotCombo();
        SelectData(kSlotComboId, index.Slot());
        FillPortCombo();
        selectEnd(kPortComboId);
        break;
    case 4:
        SelectData(kShelfComboId, index.Shelf());
        FillSlotCombo();
        SelectData(kSlotComboId, index.Slot());
        FillPortCombo();
        SelectData(kPortComboId, index.Port());
        break;
    default:
        // No entity (any entity): the selections of the NE's fill stay.
        break;
    }
}

void CTrapLogFilterDlg::OnLocationComboChange()
{
    FillNeCombo(SelectedData(kLocationComboId), SelectedData(kNeComboId));
    FillShelfCombo();
}

void CTrapLogFilterDlg::OnNeComboChange()
{
    FillShelfCombo();
}

void CTrapLogFilterDlg::OnShelfComboChange()
{
    FillSlotCombo();
}

void CTrapLogFilterDlg::OnSlotComboChange()
{
    FillPortCombo();
}

void CTrapLogFilterDlg::OnPortComboChange()
{
    if (UpdateDialogData())
        UpdateData(false);
}

int CTrapLogFilterDlg::OnCommandHook(int id, int code)
{
    if (code != CBN_SELCHANGE)
        return 0;
    switch (id) {
    case kLocationComboId:
        OnLocationComboChange();
        return 1;
    case kNeComboId:
        OnNeComboChange();
        return 1;
    case kShelfComboId:
        OnShelfComboChange();
        return 1;
    case kSlotComboId:
        OnSlotComboChange();
        return 1;
    case kPortComboId:
        OnPortComboChange();
        return 1;
    default:
        return 0;
    }
}

void CTrapLogFilterDlg::DrawExtras(Dc& dc)
{
    for (const SeverityBox& box : kSeverityBoxes)
        DrawListIconOnControl(dc, *this, box.imageId, box.image);
}

void CTrapLogFilterDlg::OnOK()
{
    if (!UpdateDialogData())
        return;
    const uint32_t shelf = SelectedData(kShelfComboId);
    const uint32_t slot = SelectedData(kSlotComboId);
    const uint32_t port = SelectedData(kPortComboId);
    // " <none>" and " <ALL>" end the index.
    const uint32_t entityId = EntityIdFromIndex(1, shelf, slot, port, 0);
    uint32_t mask = 0;
    if (shelf == kAllItem || slot == kAllItem || port == kAllItem)
        mask |= kTrapLogFilterBelow;
    for (size_t i = 0; i < kSeverityBoxes.size(); ++i) {
        if (severityChecks_[i] != 0)
            mask |= 1u << kSeverityBoxes[i].bit;
    }
    SetTrapLogFilter(SelectedData(kLocationComboId), SelectedData(kNeComboId), entityId, mask);
    SaveTrapLogFilter();
    EndDialog(IDOK);
}
