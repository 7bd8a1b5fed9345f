#include "features/fault/triggers/alarm_trigger_dlg.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/possible_child_types.h"
#include "core/list/list_sort.h"
#include "core/tables/access_rights.h"
#include "core/tables/ne_table.h"
#include "link/record_requests.h"
#include "link/records/alarm_trigger_rec.h"
#include "platform/list_control.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_alarm_trigger_dlg.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QTreeWidget>

#include <algorithm>

namespace {

constexpr int kModelIdRole = Qt::UserRole;

// The row image of an alarm by its severity: critical .. warning, anything else as info.
int SeverityImage(uint32_t severity)
{
    return severity >= 1 && severity <= 4 ? kImageSeverityCritical + static_cast<int>(severity) - 1
                                          : kImageSeverityInfo;
}

QTreeWidgetItem* TypeItem(const CEntityType& type)
{
    auto* item = new QTreeWidgetItem(QStringList(QString::fromStdString(type.GetDisplayName())));
    item->setData(0, kModelIdRole, QVariant::fromValue<quint32>(type.GetId()));
    return item;
}

} // namespace

CAlarmTriggerDlg::CAlarmTriggerDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CAlarmTriggerDlg>())
{
    ui_->setupUi(this);
}

CAlarmTriggerDlg::~CAlarmTriggerDlg() = default;

QTreeWidget* CAlarmTriggerDlg::TypeTree() const
{
    return GetDlgItemAs<QTreeWidget>(kTypeTreeId);
}

void CAlarmTriggerDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kTypeNameId, typeName_);
    DDX_TextInRange(dx, *this, kSecondsId, seconds_, kMinSeconds, kMaxSeconds);
    DDX_Text(dx, kEmailId, email_);
}

void CAlarmTriggerDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightAlarmTriggers) != 0 || CheckTargetNeOrClose() != 0)
        return;
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    const CEntityType* neType = ne != nullptr ? FindEntityModel(ne->neModelId) : nullptr;
    if (neType == nullptr) {
        ShowAlertTextById(kStrUnknownEntityType);
        return;
    }

    // At most kEmailMax characters entered, and no more bytes than the record's field carries.
    if (auto* email = GetDlgItemAs<QLineEdit>(kEmailId))
        email->setMaxLength(kEmailMax);
    LimitTextToField(kEmailId, kAlarmTriggerEmailWidth);
    if (GetAccessMode() == kAccessCreate)
        UpdateCaption(kCaptionNew);
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages(kAlarmListId);
    EnableCheckBoxes(kAlarmListId);
    InitListColumnsById(kStrColumnsTriggerAlarms, kAlarmListId);
    // Both columns keep the alarms in index order: their headers say that the rows are sorted elsewhere, by a key
    // beyond the columns, and show no arrow.
    SetColumnMap(0, kIndexOrderKey);
    SetColumnMap(1, kIndexOrderKey);
    EnableControl(IDOK, GetAccessMode() != kAccessQuery);
    UpdateData(false);

    // The tree is built quietly; selecting the trigger's type (or the NE's) at the end lists its alarms once.
    QTreeWidget* tree = TypeTree();
    if (tree == nullptr)
        return;
    QTreeWidgetItem* select = nullptr;
    {
        const QSignalBlocker quiet(tree);
        tree->clear();
        QTreeWidgetItem* root = TypeItem(*neType);
        tree->addTopLevelItem(root);
        select = AddChildTypes(root, *neType, ne->neModelId, neType->GetId() == trigger_.modelId ? root : nullptr);
        root->setExpanded(true);
        tree->setCurrentItem(nullptr);
    }
    tree->setCurrentItem(select != nullptr ? select : tree->topLevelItem(0));

    if (GetAccessMode() == kAccessModify) {
        email_ = QString::fromStdString(trigger_.email);
        seconds_ = std::max(trigger_.seconds, kMinSeconds);
        UpdateData(false);
        if (SelectedModelId() == trigger_.modelId) {
            CListControl list(FindList(kAlarmListId));
            for (int row = 0; row < list.GetItemCount(); ++row)
                list.SetCheck(row, (list.GetItemData(row) & trigger_.alarmMask) != 0);
        }
    }
}

QTreeWidgetItem* CAlarmTriggerDlg::AddChildTypes(QTreeWidgetItem* parent, const CEntityType& parentType,
                                                 uint32_t neModelId, QTreeWidgetItem* found)
{
    for (const CEntityType* type : PossibleChildTypes(parentType, neModelId)) {
        QTreeWidgetItem* item = TypeItem(*type);
        parent->addChild(item);
        if (type->GetId() == trigger_.modelId)
            found = item;
        found = AddChildTypes(item, *type, neModelId, found);
    }
    parent->setExpanded(true);
    return found;
}

uint32_t CAlarmTriggerDlg::SelectedModelId() const
{
    const QTreeWidget* tree = TypeTree();
    const QTreeWidgetItem* item = tree != nullptr ? tree->currentItem() : nullptr;
    return item != nullptr ? item->data(0, kModelIdRole).value<quint32>() : 0;
}

bool CAlarmTriggerDlg::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.idFrom == kTypeTreeId && header.code == TVN_SELCHANGED) {
        FillAlarmList();
    } else if (header.idFrom == kSecondsSpinId && header.code == UDN_DELTAPOS) {
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kSecondsId), header.delta, kMinSeconds, kMaxSeconds);
        return true;
    }
    return CADialog::OnNotify(header, result);
}

void CAlarmTriggerDlg::FillAlarmList()
{
    // The list always shows the alarms of the selected type, whatever the other controls hold: a mask is only ever
    // sent with the type whose alarms were checked.
    CListControl list(FindList(kAlarmListId));
    if (!list.IsValid())
        return;
    list.DeleteAllItems();
    const CEntityType* type = FindEntityModel(SelectedModelId());
    typeName_ = type != nullptr ? QString::fromStdString(type->GetDisplayName()) : QString();
    ui_->typeName->setText(typeName_);
    for (int i = 0; type != nullptr && i < kEntityAlarmCount; ++i) {
        const CEntityAlarmDef* alarm = type->GetAlarmDef(i);
        if (alarm == nullptr)
            continue;
        const int row = list.InsertItem(list.GetItemCount(), QString::fromStdString(alarm->name));
        list.SetItemText(row, 1, QString::fromStdString(alarm->text));
        SetRowImage(row, SeverityImage(alarm->severity), kAlarmListId);
        list.SetItemData(row, 1u << i);
    }
    UpdateListLayout(kAlarmListId);
    SortList(GetSortColumn(), GetSortDirection(), kAlarmListId);
    OnListSelChanged(list.GetNextSelected(-1), kAlarmListId);
}

int CAlarmTriggerDlg::CompareItems(uint32_t item1, uint32_t item2, uint32_t flags)
{
    // Every key, kIndexOrderKey included, orders by the alarm index.
    // The rows' bits as unsigned numbers: the alarms in index order, alarm 31 last.
    const int order = item1 < item2 ? -1 : (item1 > item2 ? 1 : 0);
    return (flags & kCompareDescending) != 0 ? -order : order;
}

uint32_t CAlarmTriggerDlg::CheckedMask() const
{
    const CListControl list(FindList(kAlarmListId));
    uint32_t mask = 0;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (list.GetCheck(row))
            mask |= list.GetItemData(row);
    }
    return mask;
}

void CAlarmTriggerDlg::OnOK()
{
    if (!UpdateDialogData())
        return;
    const uint32_t mask = CheckedMask();
    if (mask == 0) {
        ShowAlertTextById(kStrPleaseSelectOneItem, kAlarmListId);
        return;
    }
    const QString email = email_.trimmed();
    if (email.isEmpty()) {
        ShowAlertTextById(kStrDataIsBlank, kEmailId);
        return;
    }

    AlarmTriggerRec rec;
    rec.triggerId = trigger_.id;
    rec.neId = static_cast<uint32_t>(GetNeId());
    rec.modelId = SelectedModelId();
    rec.alarmMask = mask;
    rec.seconds = seconds_;
    rec.email = email.toStdString();
    const CRecordRequests requests;
    if (GetAccessMode() == kAccessCreate) {
        const RecordReply<AlarmTriggerRec> reply =
            requests.Add(kReqAlarmTrigger, rec.neId, rec, {.failureTextId = kStrAddingNewDataFailed});
        if (!reply.Ok())
            return;
        if (!reply.records.empty())
            rec.triggerId = reply.records.front().triggerId;
    } else if (!requests.Modify(kReqAlarmTrigger, rec.neId, rec, {.failureTextId = kStrFailToUpdateData}).Ok()) {
        return;
    }
    trigger_ = {rec.triggerId, rec.modelId, rec.alarmMask, rec.seconds, rec.email};
    EndDialog(IDOK);
}
