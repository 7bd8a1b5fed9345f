#include "features/fault/active_alarms/active_alarm_dlg.h"

#include "core/config/app_settings.h"
#include "core/entity/entity_id.h"
#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "core/util/date_time_format.h"
#include "core/util/severity.h"
#include "features/fault/active_alarms/alarm_ack_dlg.h"
#include "features/fault/alarm_lists/alarm_list_look.h"
#include "features/fault/trap_log/alarm_detail_dlg.h"
#include "features/fault/trap_log/entity_alarm_text.h"
#include "features/fault/trap_log/event_detail_dlg.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_active_alarm_dlg.h"

#include <QString>

namespace {

using Column = ListColumn<ActiveAlarmRow>;

// Severities sort by gravity: info lowest, critical highest.
ListValue Gravity(const ActiveAlarmRow& row)
{
    return kSeverityInfo + 1 - row.severity;
}

ListValue SignedTime(uint32_t seconds)
{
    return static_cast<int32_t>(seconds);
}

std::string NeName(uint32_t neId)
{
    const CNeRecord* ne = FindNeById(neId);
    return ne != nullptr ? ne->name : std::string();
}

std::string LocationOfNe(uint32_t neId)
{
    const CNeRecord* ne = FindNeById(neId);
    return ne != nullptr ? ne->GetLocationName() : std::string();
}

} // namespace

CActiveAlarmDlg::CActiveAlarmDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "FM_CUR_LIST",
                      .rowCommands = {{kDetailButtonId, kPopupDetail}, {kAcknowledgeButtonId, kPopupAcknowledge}},
                      .leaveOutRowCommands = true,
                      .activateCommand = kDetailButtonId,
                      .exportStem = "CurAlm"},
                     parent),
      ui_(std::make_unique<Ui::CActiveAlarmDlg>()),
      rows_(
          *this,
          {
              {.order = ListOrder::kUnsigned,
               .sortValue = [](const ActiveAlarmRow& row) { return ListValue(row.entityId); },
               .image = [](const ActiveAlarmRow& row) { return kImageCritical + row.severity - 1; }},
              {.value = [](const ActiveAlarmRow& row) { return SeverityText(row.severity).toStdString(); },
               .order = ListOrder::kUnsigned,
               .sortValue = Gravity},
              {.value = [this](const ActiveAlarmRow&) { return LocationOfNe(static_cast<uint32_t>(GetNeId())); },
               .order = ListOrder::kUnsigned,
               .sortValue = [](const ActiveAlarmRow& row) { return ListValue(row.entityId); }},
              {.value = [this](const ActiveAlarmRow&) { return NeName(static_cast<uint32_t>(GetNeId())); },
               .order = ListOrder::kUnsigned,
               .sortValue = [](const ActiveAlarmRow& row) { return ListValue(row.entityId); }},
              {.value =
                   [this](const ActiveAlarmRow& row) {
                       return FormatEntityLocationById(FindNeById(static_cast<uint32_t>(GetNeId())), row.entityId);
                   },
               .order = ListOrder::kUnsigned,
               .sortValue = [](const ActiveAlarmRow& row) { return ListValue(row.entityId); }},
              {.value = &ActiveAlarmRow::modelName,
               .order = ListOrder::kNoCase,
               .image = [](const ActiveAlarmRow& row) { return EntityLevelImage(row.level); }},
              {.value = [](const ActiveAlarmRow& row) { return AlarmClassText(static_cast<int>(row.alarmClass)); },
               .order = ListOrder::kUnsigned,
               .sortValue = Gravity},
              {.value = &ActiveAlarmRow::alarms, .order = ListOrder::kUnsigned, .sortValue = Gravity},
              {.value = [](const ActiveAlarmRow& row) { return FormatDateTime(row.occurTime); },
               .order = ListOrder::kSigned,
               .sortValue = [](const ActiveAlarmRow& row) { return SignedTime(row.occurTime); }},
              {.value = [](const ActiveAlarmRow& row) { return FormatDateTime(row.receiveTime); },
               .order = ListOrder::kSigned,
               .sortValue = [](const ActiveAlarmRow& row) { return SignedTime(row.receiveTime); }},
              {.value = &ActiveAlarmRow::ackPerson, .order = ListOrder::kNoCase},
              {.value = [](const ActiveAlarmRow& row) { return FormatDateTime(row.ackTime); },
               .order = ListOrder::kSigned,
               .sortValue = [](const ActiveAlarmRow& row) { return SignedTime(row.ackTime); }},
          },
          [this](uint32_t entityId) -> const ActiveAlarmRow* {
              const auto found = alarms_.find(entityId);
              return found != alarms_.end() ? &found->second : nullptr;
          },
          [this] { return CollectRows(); })
{
    ui_->setupUi(this);
    // Equal values keep the entities in tree order.
    rows_.SetTies(ListTies::kKey);
    SetRecordList(rows_);
}

CActiveAlarmDlg::~CActiveAlarmDlg() = default;

void CActiveAlarmDlg::ShowOnlySeverity(int severity)
{
    for (size_t i = 0; i < kSeverityBoxes.size(); ++i)
        severityChecks_[i] = kSeverityBoxes[i].severity == severity ? 1 : 0;
}

void CActiveAlarmDlg::DoDataExchange(CDataExchange& dx)
{
    for (size_t i = 0; i < kSeverityBoxes.size(); ++i)
        DDX_Check(dx, kSeverityBoxes[i].checkId, severityChecks_[i]);
    DDX_Check(dx, kAckCheckId, ackCheck_);
    DDX_Check(dx, kNackCheckId, nackCheck_);
    DDX_Check(dx, kNameCheckId, nameCheck_);
    DDX_Text(dx, kNameEditId, names_);
}

void CActiveAlarmDlg::InitData()
{
    if (CheckTargetNeOrClose() != 0)
        return;
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    // A shelf of an NE with a single shelf stands for the NE.
    if (ne != nullptr && GetTargetEntity().index.GetLevel() == 2 && ne->usedChildCount < 2) {
        const CEntityId whole(1);
        SetTarget(GetNeId(), &whole);
    }
    UpdateCaption(kCaptionNe | kCaptionEntity);
    SetSmallImages();
    EnableSubItemImages();
    SetRowColorMode(kRowColorsByImage);
    SetRowColors(SeverityRowStyles());
    InitListColumnsById(kStrColumnsActiveAlarms);
    if (AppSettings().directControl) {
        ShowControls({kAcknowledgeButtonId, kAckCheckId, kNackCheckId}, false);
        for (int column : {kLocationColumn, kAckPersonColumn, kAckTimeColumn})
            SetColumnHidden(column, true);
    }
    // Alarms ... sorts by severity; the times and the person under the keys before their columns' numbers.
    SetColumnMap(kAlarmsColumn, kSeverityColumn);
    for (int column = kOccurTimeColumn; column <= kAckTimeColumn; ++column)
        SetColumnMap(column, column - 1);
    UpdateData(false);
    if (CheckRight(kRightActiveAlarms, 'q') == 0)
        FillList();
}

void CActiveAlarmDlg::OnRefresh()
{
    if (CheckRight(kRightActiveAlarms, 'q') != 0)
        return;
    RefillList();
}

int CActiveAlarmDlg::CompareItems(uint32_t item1, uint32_t item2, uint32_t flags)
{
    const uint32_t key = flags & 0xFF;
    if (key >= kOccurTimeColumn - 1 && key <= kAckTimeColumn - 1)
        flags = (flags & ~0xFFu) | (key + 1);
    return CRecordListDlg::CompareItems(item1, item2, flags);
}

ActiveAlarmFilter CActiveAlarmDlg::FilterOfControls() const
{
    ActiveAlarmFilter filter;
    filter.bits = kRowFilterShown | kRowFilterSecondary;
    for (size_t i = 0; i < kSeverityBoxes.size(); ++i) {
        if (severityChecks_[i] != 0)
            filter.bits |= kSeverityBoxes[i].filterBit;
    }
    if (ackCheck_ != 0)
        filter.bits |= kRowFilterAcknowledged;
    if (nackCheck_ != 0)
        filter.bits |= kRowFilterUnacknowledged;
    if (nameCheck_ != 0)
        filter.names = CAlarmNameFilter(names_);
    return filter;
}

std::vector<uint32_t> CActiveAlarmDlg::CollectRows()
{
    alarms_.clear();
    std::array<uint32_t, 5> counts{};
    uint32_t total = 0;
    std::vector<uint32_t> keys;
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    if (UpdateDialogData() && ne != nullptr) {
        for (ActiveAlarmRow& row : CollectActiveAlarmRows(*ne, GetTargetEntity().index, FilterOfControls())) {
            ++counts[static_cast<size_t>(row.severity - 1)];
            ++total;
            keys.push_back(row.entityId);
            alarms_.emplace(row.entityId, std::move(row));
        }
    }
    ShowCounts(counts, total);
    return keys;
}

void CActiveAlarmDlg::ShowCounts(const std::array<uint32_t, 5>& counts, uint32_t total)
{
    for (size_t i = 0; i < counts.size(); ++i)
        SetControlText(*this, kSeverityCountIds[i], QString::number(counts[i]));
    SetControlText(*this, kTotalCountId, QString::number(total));
}

int CActiveAlarmDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED && !(id == kNameEditId && code == EN_CHANGE))
        return 0;
    switch (id) {
    case kDetailButtonId:
    case kPopupDetail:
        OnDetail();
        return 1;
    case kAcknowledgeButtonId:
    case kPopupAcknowledge:
        OnAcknowledge();
        return 1;
    case kAckCheckId:
    case kNackCheckId:
    case kNameCheckId:
        RefillList();
        return 1;
    case kNameEditId:
        if (IsBoxTicked(*this, kNameCheckId))
            RefillList();
        return 1;
    default:
        for (const SeverityBox& box : kSeverityBoxes) {
            if (box.checkId == id) {
                RefillList();
                return 1;
            }
        }
        return 0;
    }
}

void CActiveAlarmDlg::DrawExtras(Dc& dc)
{
    DrawSeverityBoxImages(dc, *this);
}

void CActiveAlarmDlg::OnDetail()
{
    if (CheckTargetNe() != 0)
        return;
    const std::optional<uint32_t> entityId = RequireSelectedItemData();
    if (!entityId)
        return;
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    const CEntityNode* node = ne != nullptr && ne->root != nullptr ? ne->root->FindById(*entityId) : nullptr;
    if (node == nullptr) {
        ShowAlertTextById(kStrEntityDoesNotExist);
        return;
    }
    const CEntityId entity(*entityId);
    auto fill = [&](CAlarmDetailBaseDlg& dlg) {
        dlg.SetTarget(GetNeId(), &entity);
        dlg.SetPlannedType(node->GetPlannedType());
        dlg.SetOnlineType(node->GetType());
        dlg.SetAlarmBits(node->GetStateBits());
        dlg.SetSeverity(static_cast<int>(node->GetSeverity()));
        dlg.SetOccurTime(node->GetAlarmDetail().occurTime);
        dlg.SetReceiveTime(node->GetAlarmDetail().receiveTime);
    };
    if (AppSettings().directControl) {
        CEventDetailDlg dlg(this);
        fill(dlg);
        dlg.DoModal();
        return;
    }
    CAlarmDetailDlg dlg(this);
    fill(dlg);
    dlg.SetAckTime(node->GetAlarmDetail().ackTime);
    dlg.SetAckPerson(node->GetAlarmDetail().ackPerson);
    dlg.DoModal();
}

void CActiveAlarmDlg::OnAcknowledge()
{
    const std::optional<uint32_t> entityId = RequireSelectedItemData();
    if (!entityId)
        return;
    const CEntityId entity(*entityId);
    CAlarmAckDlg dlg(this);
    dlg.SetTarget(GetNeId(), &entity);
    if (CheckUserRight(AppData().role, kRightAlarmAcknowledge, 'm') != 0)
        dlg.SetAccessMode(kAccessModify);
    if (dlg.DoModal() != IDOK)
        return;
    // The row shows what was sent; the entity itself changes when the server's notification arrives.
    const auto found = alarms_.find(*entityId);
    if (found == alarms_.end())
        return;
    found->second.ackPerson = dlg.GetAckPerson();
    found->second.ackTime = dlg.GetAckTime();
    rows_.Update(*entityId);
}
