#include "features/fault/alarm_events/alarm_criteria_dlg.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/list/list_sort.h"
#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/location_tree.h"
#include "core/tables/ne_table.h"
#include "features/fault/alarm_events/alarm_event_list_dlg.h"
#include "features/fault/alarm_lists/alarm_list_look.h"
#include "platform/list_control.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_alarm_criteria_dlg.h"

#include <QAbstractButton>
#include <QComboBox>

namespace {

constexpr int kDescriptionColumn = 1;
constexpr size_t kDescriptionCompared = 80;

// The image of an alarm type by its definition's severity: 12 critical .. 15 warning, 16 any other.
int AlarmTypeImage(uint32_t severity)
{
    return severity >= 1 && severity <= 4 ? kImageCritical + static_cast<int>(severity) - 1 : kImageCritical + 4;
}

bool ModelFitsNe(const CEntityType& model, const CNeRecord* ne)
{
    if (ne == nullptr)
        return true;
    const uint32_t neModel = model.GetNeModelId();
    return neModel == ne->neModelId || neModel == kEntityTypeEmpty || neModel == kEntityTypeUnknown;
}

} // namespace

CAlarmCriteriaDlg::CAlarmCriteriaDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CAlarmCriteriaDlg>()), criteria_(*this)
{
    ui_->setupUi(this);
    SetAccessMode(kAccessModify);
}

CAlarmCriteriaDlg::~CAlarmCriteriaDlg() = default;

void CAlarmCriteriaDlg::ApplyOpenerFields(const DialogRequest& request)
{
    if (request.activeHistory >= 0)
        queryMode_ = request.activeHistory == 1 ? kAlarmQueryActive : kAlarmQueryHistory;
}

void CAlarmCriteriaDlg::InitData()
{
    const bool active = queryMode_ == kAlarmQueryActive;
    if (CheckAccessRightOrClose(active ? kRightActiveAlarms : kRightHistoryAlarms) != 0)
        return;
    const CNeRecord* ne = nullptr;
    if (GetNeId() != 0) {
        if (CheckTargetNeOrClose() != 0)
            return;
        ne = FindNeById(static_cast<uint32_t>(GetNeId()));
        SetLocationId(static_cast<int>(ne->locationId));
    }
    if (GetLocationId() != 0 && CheckTargetLocationOrClose() != 0)
        return;
    UpdateCaption(kCaptionText | kCaptionTargetFirst, active ? "Active" : "History");
    SetSmallImages(kAlarmTypeListId);
    EnableCheckBoxes(kAlarmTypeListId);
    SetRowColorMode(kRowColorsByImage);
    SetRowColors(SeverityRowStyles());
    InitListColumnsById(kStrColumnsAlarmTypes, kAlarmTypeListId);

    const CLocationNode* location = FindLocation(static_cast<uint32_t>(GetLocationId()));
    SetControlText(*this, kLocationTextId,
                   QString::fromStdString(
                       location != nullptr && GetLocationId() != 0 ? location->name : AppData().locations.Root().name));
    SetControlText(*this, kNeTextId, ne != nullptr ? QString::fromStdString(ne->name) : LoadQString(kStrAll));
    // The NE itself is no narrower scope than the NE.
    if (GetTargetEntity().id == 1) {
        const CEntityId none;
        SetTarget(GetNeId(), &none);
    }
    criteria_.FillScope(ne, GetTargetEntity().index);
    criteria_.InitTimeRange(!active, !active);
    criteria_.InitSeverity();
    FillModelCombo(ne);
    ApplyModelCheck();
}

void CAlarmCriteriaDlg::FillModelCombo(const CNeRecord* ne)
{
    auto* combo = GetDlgItemAs<QComboBox>(kModelComboId);
    if (combo == nullptr)
        return;
    combo->clear();
    for (int level = 1; level <= 4; ++level) {
        for (int i = 0; i < GetEntityTypeCount(); ++i) {
            const CEntityType* model = GetEntityTypeAt(i);
            if (model != nullptr && model->GetLevel() == level && ModelFitsNe(*model, ne))
                combo->addItem(QString::fromStdString(model->GetName()), model->GetId());
        }
    }
    combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
}

void CAlarmCriteriaDlg::ApplyModelCheck()
{
    const bool useModel = IsBoxTicked(*this, kModelCheckId);
    EnableControls({kModelComboId, kAlarmTypeListId}, useModel);
    if (useModel)
        FillAlarmTypes();
}

void CAlarmCriteriaDlg::FillAlarmTypes()
{
    CListControl list(FindList(kAlarmTypeListId));
    if (!list.IsValid())
        return;
    list.DeleteAllItems();
    const auto* combo = GetDlgItemAs<QComboBox>(kModelComboId);
    const CEntityType* model =
        combo != nullptr && combo->currentIndex() >= 0 ? FindEntityModel(combo->currentData().toUInt()) : nullptr;
    for (int i = 0; model != nullptr && i < kEntityAlarmCount; ++i) {
        const CEntityAlarmDef* def = model->GetAlarmDef(i);
        if (def == nullptr)
            continue;
        const int row = list.InsertItem(list.GetItemCount(), QString::fromStdString(def->name));
        list.SetItemText(row, kDescriptionColumn, QString::fromStdString(def->text));
        SetRowImage(row, AlarmTypeImage(def->severity), kAlarmTypeListId);
        list.SetItemData(row, static_cast<uint32_t>(i));
    }
    UpdateListLayout(kAlarmTypeListId);
    SortList(GetSortColumn(), GetSortDirection(), kAlarmTypeListId);
}

uint32_t CAlarmCriteriaDlg::CheckedAlarmMask() const
{
    const CListControl list(FindList(kAlarmTypeListId));
    uint32_t mask = 0;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (list.GetCheck(row))
            mask |= 1u << list.GetItemData(row);
    }
    return mask;
}

int CAlarmCriteriaDlg::CompareItems(uint32_t item1, uint32_t item2, uint32_t flags)
{
    int order = item1 < item2 ? -1 : (item1 > item2 ? 1 : 0);
    if ((flags & 0xFF) == kDescriptionColumn) {
        const CListControl list(FindList(kAlarmTypeListId));
        const QString text1 =
            list.GetItemText(list.FindItemByData(item1), kDescriptionColumn).left(kDescriptionCompared);
        const QString text2 =
            list.GetItemText(list.FindItemByData(item2), kDescriptionColumn).left(kDescriptionCompared);
        order = text1.compare(text2, Qt::CaseInsensitive);
        order = order < 0 ? -1 : (order > 0 ? 1 : 0);
    }
    return (flags & kCompareDescending) != 0 ? -order : order;
}

int CAlarmCriteriaDlg::OnCommandHook(int id, int code)
{
    if (criteria_.OnCommand(id, code))
        return 1;
    if (id == kModelCheckId && code == BN_CLICKED) {
        ApplyModelCheck();
        return 1;
    }
    if (id == kModelComboId && code == CBN_SELCHANGE) {
        FillAlarmTypes();
        return 1;
    }
    return 0;
}

void CAlarmCriteriaDlg::OnOK()
{
    if (!UpdateDialogData())
        return;
    const bool useModel = IsBoxTicked(*this, kModelCheckId);
    const uint32_t mask = useModel ? CheckedAlarmMask() : 0;
    if (useModel && mask == 0) {
        ShowAlertTextById(kStrPleaseSelectOneItem, kAlarmTypeListId);
        return;
    }
    if (criteria_.RefuseReversedRange())
        return;
    AlarmQueryHandOver handOver;
    handOver.queryMode = queryMode_;
    if (useModel) {
        const auto* combo = GetDlgItemAs<QComboBox>(kModelComboId);
        handOver.modelId = combo != nullptr ? combo->currentData().toUInt() : 0;
        handOver.alarmMask = mask;
    }
    handOver.fromTime = criteria_.UseFrom() ? criteria_.FromTime() : 0;
    handOver.toTime = criteria_.UseTo() ? criteria_.ToTime() : 0;
    handOver.severity = criteria_.Severity();
    handOver.ackOnly = IsBoxTicked(*this, kAckOnlyCheckId) ? 1 : 0;
    const QueryScope scope = ScopeOfChoice(criteria_.Choice());
    handOver.withSubEntities = scope.withSubEntities;

    CAlarmEventListDlg list(this);
    list.SetLocationId(GetLocationId());
    list.SetTarget(GetNeId(), &scope.entity);
    list.SetHandOver(handOver);
    list.DoModal();
}
