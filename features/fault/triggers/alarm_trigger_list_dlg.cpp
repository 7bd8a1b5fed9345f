#include "features/fault/triggers/alarm_trigger_list_dlg.h"

#include "core/entity/entity_model_set.h"
#include "core/list/list_sort.h"
#include "core/tables/access_rights.h"
#include "features/fault/triggers/alarm_trigger_dlg.h"
#include "link/record_requests.h"
#include "link/records/alarm_trigger_rec.h"
#include "platform/list_control.h"
#include "ui_alarm_trigger_list_dlg.h"

#include <QStringList>

namespace {

constexpr uint32_t kStrFailToQuery = 10128;
constexpr uint32_t kStrFailToDelete = 10028;
constexpr uint32_t kListColumnSpec = 10061;
constexpr qsizetype kCompareLength = 80;
constexpr qsizetype kEmailCopyLength = 61;

// The names of the type's defined alarms whose bits the mask sets, in index order.
QString AlarmNames(const CEntityType& type, uint32_t mask)
{
    QStringList names;
    for (int i = 0; i < kEntityAlarmCount; ++i) {
        const CEntityAlarmDef* alarm = type.GetAlarmDef(i);
        if (alarm != nullptr && (mask & (1u << i)) != 0)
            names.push_back(QString::fromStdString(alarm->name));
    }
    return names.join(',');
}

int Order(int comparison)
{
    return comparison < 0 ? -1 : (comparison > 0 ? 1 : 0);
}

int CompareNumbers(uint32_t a, uint32_t b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

int CompareTexts(const QString& a, const QString& b)
{
    return Order(a.left(kCompareLength).compare(b.left(kCompareLength), Qt::CaseInsensitive));
}

} // namespace

CAlarmTriggerListDlg::CAlarmTriggerListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "ADD_DEL_EDIT_LIST",
                      .rowCommands = {kRowModify, kRowDelete},
                      .activateCommand = kModifyButtonId,
                      .exportStem = "FMNotify"},
                     parent),
      ui_(std::make_unique<Ui::CAlarmTriggerListDlg>())
{
    ui_->setupUi(this);
}

CAlarmTriggerListDlg::~CAlarmTriggerListDlg() = default;

void CAlarmTriggerListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightAlarmTriggers) != 0 || CheckTargetNeOrClose() != 0)
        return;
    rowCounter_ = 0;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    InitListColumnsById(kListColumnSpec);
    FillList();
}

void CAlarmTriggerListDlg::FillList()
{
    CListControl list = List();
    list.DeleteAllItems();
    sortKeys_.clear();
    const CRecordRequests requests;
    // The server answers with the triggers of every NE.
    const RecordReply<AlarmTriggerRec> reply = requests.Query<AlarmTriggerRec>(
        kReqAlarmTrigger, 0, AlarmTriggerQueryRec{}, {.failureTextId = kStrFailToQuery});
    if (!reply.Ok())
        return;
    for (const AlarmTriggerRec& rec : reply.records) {
        if (rec.neId != static_cast<uint32_t>(GetNeId()))
            continue;
        if (const CEntityType* type = FindEntityModel(rec.modelId))
            AppendRow(rec.triggerId, rec.modelId, rec.alarmMask, rec.seconds, QString::fromStdString(rec.email), *type);
    }
}

void CAlarmTriggerListDlg::AppendRow(uint32_t triggerId, uint32_t modelId, uint32_t mask, uint32_t seconds,
                                     const QString& email, const CEntityType& type)
{
    CListControl list = List();
    ++rowCounter_;
    const int row = list.InsertItem(list.GetItemCount(), QString::number(rowCounter_));
    list.SetItemData(row, triggerId);
    sortKeys_[triggerId].number = rowCounter_;
    WriteCells(row, modelId, mask, seconds, email, type);
}

void CAlarmTriggerListDlg::WriteCells(int row, uint32_t modelId, uint32_t mask, uint32_t seconds, const QString& email,
                                      const CEntityType& type)
{
    CListControl list = List();
    SortKeys& keys = sortKeys_[list.GetItemData(row)];
    keys.entityType = QString::fromStdString(type.GetDisplayName());
    keys.email = email;
    keys.seconds = seconds;
    keys.alarms = AlarmNames(type, mask);
    list.SetItemText(row, kEntityTypeColumn, keys.entityType);
    list.SetItemText(row, kEmailColumn, keys.email);
    list.SetItemText(row, kThresholdColumn, QString::number(seconds));
    list.SetItemText(row, kAlarmsColumn, keys.alarms);
    list.SetItemText(row, kModelColumn, QString::number(modelId));
    list.SetItemText(row, kMaskColumn, QString::number(mask));
}

uint32_t CAlarmTriggerListDlg::CellNumber(int row, int column) const
{
    return List().GetItemText(row, column).toUInt();
}

void CAlarmTriggerListDlg::OnModifyRecord(uint32_t triggerId)
{
    const int row = List().FindItemByData(triggerId);
    if (row < 0)
        return;
    CAlarmTriggerDlg dlg(this);
    dlg.SetTarget(GetNeId(), &GetTargetEntity());
    dlg.SetAccessMode(kAccessModify);
    dlg.SetTrigger({triggerId, CellNumber(row, kModelColumn), CellNumber(row, kMaskColumn),
                    CellNumber(row, kThresholdColumn),
                    List().GetItemText(row, kEmailColumn).left(kEmailCopyLength).toStdString()});
    if (dlg.DoModal() != IDOK)
        return;
    const CAlarmTriggerDlg::Trigger& trigger = dlg.GetTrigger();
    if (const CEntityType* type = FindEntityModel(trigger.modelId))
        WriteCells(row, trigger.modelId, trigger.alarmMask, trigger.seconds, QString::fromStdString(trigger.email),
                   *type);
}

void CAlarmTriggerListDlg::OnAddRecord(std::optional<uint32_t> selected)
{
    CAlarmTriggerDlg dlg(this);
    dlg.SetTarget(GetNeId(), &GetTargetEntity());
    dlg.SetAccessMode(kAccessCreate);
    if (selected) {
        CAlarmTriggerDlg::Trigger preset;
        preset.modelId = CellNumber(List().FindItemByData(*selected), kModelColumn);
        dlg.SetTrigger(preset);
    }
    if (dlg.DoModal() != IDOK)
        return;
    const CAlarmTriggerDlg::Trigger& trigger = dlg.GetTrigger();
    if (const CEntityType* type = FindEntityModel(trigger.modelId))
        AppendRow(trigger.id, trigger.modelId, trigger.alarmMask, trigger.seconds,
                  QString::fromStdString(trigger.email), *type);
}

void CAlarmTriggerListDlg::OnDeleteRecord(uint32_t triggerId)
{
    if (CheckRight(kRightAlarmTriggers, 'd') != 0 || !ConfirmDelete())
        return;
    CListControl list = List();
    const int row = list.FindItemByData(triggerId);
    if (row < 0)
        return;
    AlarmTriggerRec rec;
    rec.triggerId = triggerId;
    rec.neId = static_cast<uint32_t>(GetNeId());
    rec.modelId = CellNumber(row, kModelColumn);
    if (!CRecordRequests().Delete(kReqAlarmTrigger, 0, rec, {.failureTextId = kStrFailToDelete}).Ok())
        return;
    RemoveRow(row);
    sortKeys_.erase(triggerId);
}

int CAlarmTriggerListDlg::CompareItems(uint32_t item1, uint32_t item2, uint32_t flags)
{
    const auto a = sortKeys_.find(item1);
    const auto b = sortKeys_.find(item2);
    if (a == sortKeys_.end() || b == sortKeys_.end())
        return CompareItemData(item1, item2, flags);
    int order = 0;
    switch (flags & 0xFF) {
    case kEntityTypeColumn:
        order = CompareTexts(a->second.entityType, b->second.entityType);
        break;
    case kEmailColumn:
        order = CompareTexts(a->second.email, b->second.email);
        break;
    case kAlarmsColumn:
        order = CompareTexts(a->second.alarms, b->second.alarms);
        break;
    case kThresholdColumn:
        order = CompareNumbers(a->second.seconds, b->second.seconds);
        break;
    default:
        order = CompareNumbers(a->second.number, b->second.number);
        break;
    }
    if (order != 0)
        return (flags & kCompareDescending) != 0 ? -order : order;
    // Equal keys keep the rows' numbers in ascending order.
    return CompareNumbers(a->second.number, b->second.number);
}
