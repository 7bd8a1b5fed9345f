#include "features/fault/triggers/alarm_trigger_list_dlg.h"

#include "core/entity/entity_model_set.h"
#include "core/tables/access_rights.h"
#include "features/fault/triggers/alarm_trigger_dlg.h"
#include "link/record_requests.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_alarm_trigger_list_dlg.h"

#include <string>
#include <vector>

namespace {

using Column = ListColumn<AlarmTriggerRec>;

ListValue EntityTypeName(const AlarmTriggerRec& rec)
{
    const CEntityType* type = FindEntityModel(rec.modelId);
    return type != nullptr ? type->GetDisplayName() : std::string();
}

// The names of the type's defined alarms whose bits the mask sets, in index order.
ListValue AlarmNames(const AlarmTriggerRec& rec)
{
    const CEntityType* type = FindEntityModel(rec.modelId);
    std::string names;
    for (int i = 0; type != nullptr && i < kEntityAlarmCount; ++i) {
        const CEntityAlarmDef* alarm = type->GetAlarmDef(i);
        if (alarm == nullptr || (rec.alarmMask & (1u << i)) == 0)
            continue;
        if (!names.empty())
            names += ',';
        names += alarm->name;
    }
    return names;
}

// ID, Entity Type, Notified Email, Threshold, Alarms and the hidden Model and mask; the texts sort on their first 80
// characters without regard to case, the other columns by the rows' numbers.
std::vector<Column> TriggerColumns()
{
    return {
        {.order = ListOrder::kArrival},
        {.value = EntityTypeName, .order = ListOrder::kNoCase80},
        {.value = &AlarmTriggerRec::email, .order = ListOrder::kNoCase80},
        {.value = &AlarmTriggerRec::seconds, .order = ListOrder::kUnsigned},
        {.value = AlarmNames, .order = ListOrder::kNoCase80},
        {.value = &AlarmTriggerRec::modelId, .order = ListOrder::kArrival},
        {.value = &AlarmTriggerRec::alarmMask, .order = ListOrder::kArrival},
    };
}

} // namespace

CAlarmTriggerListDlg::CAlarmTriggerListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "ADD_DEL_EDIT_LIST",
                      .rowCommands = {kRowModify, kRowDelete},
                      .activateCommand = kModifyButtonId,
                      .right = kRightAlarmTriggers,
                      .dialogChecksRight = true,
                      .exportStem = "FMNotify"},
                     parent),
      ui_(std::make_unique<Ui::CAlarmTriggerListDlg>()), rows_(*this, TriggerColumns(), &AlarmTriggerRec::triggerId)
{
    ui_->setupUi(this);
    // The server keeps the triggers of all NEs in one list, asked for with NE 0.
    rows_.QueryOnFill(kReqAlarmTrigger, AlarmTriggerQueryRec{}, kStrFailToQuery, 0);
    rows_.SetFilter([this](const AlarmTriggerRec& rec) {
        return rec.neId == static_cast<uint32_t>(GetNeId()) && FindEntityModel(rec.modelId) != nullptr;
    });
    // Equal values keep the rows' numbers in ascending order.
    rows_.SetTies(ListTies::kArrival);
    SetRecordList(rows_);
}

CAlarmTriggerListDlg::~CAlarmTriggerListDlg() = default;

void CAlarmTriggerListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightAlarmTriggers) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    InitListColumnsById(kStrColumnsAlarmTriggers);
    FillList();
}

void CAlarmTriggerListDlg::OnModifyRecord(uint32_t triggerId)
{
    const AlarmTriggerRec* rec = rows_.Find(triggerId);
    if (rec == nullptr)
        return;
    CAlarmTriggerDlg dlg(this);
    dlg.SetTarget(GetNeId(), &GetTargetEntity());
    dlg.SetAccessMode(kAccessModify);
    dlg.SetTrigger({rec->triggerId, rec->modelId, rec->alarmMask, rec->seconds, rec->email});
    if (dlg.DoModal() != IDOK)
        return;
    const CAlarmTriggerDlg::Trigger& trigger = dlg.GetTrigger();
    AlarmTriggerRec changed = *rec;
    changed.modelId = trigger.modelId;
    changed.alarmMask = trigger.alarmMask;
    changed.seconds = trigger.seconds;
    changed.email = trigger.email;
    rows_.Put(changed);
}

void CAlarmTriggerListDlg::OnAddRecord(std::optional<uint32_t> selected)
{
    CAlarmTriggerDlg dlg(this);
    dlg.SetTarget(GetNeId(), &GetTargetEntity());
    dlg.SetAccessMode(kAccessCreate);
    if (const AlarmTriggerRec* selectedRec = selected ? rows_.Find(*selected) : nullptr) {
        CAlarmTriggerDlg::Trigger preset;
        preset.modelId = selectedRec->modelId;
        dlg.SetTrigger(preset);
    }
    if (dlg.DoModal() != IDOK)
        return;
    const CAlarmTriggerDlg::Trigger& trigger = dlg.GetTrigger();
    rows_.Put({trigger.id, static_cast<uint32_t>(GetNeId()), trigger.modelId, trigger.alarmMask, trigger.seconds,
               trigger.email});
}

void CAlarmTriggerListDlg::OnDeleteRecord(uint32_t triggerId)
{
    const AlarmTriggerRec* rec = rows_.Find(triggerId);
    if (rec == nullptr || !ConfirmDelete())
        return;
    AlarmTriggerRec key;
    key.triggerId = triggerId;
    key.neId = static_cast<uint32_t>(GetNeId());
    key.modelId = rec->modelId;
    if (!CRecordRequests().Delete(kReqAlarmTrigger, 0, key, {.failureTextId = kStrFailToDelete}).Ok())
        return;
    rows_.Remove(triggerId);
}
