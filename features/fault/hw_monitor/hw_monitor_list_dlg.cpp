#include "features/fault/hw_monitor/hw_monitor_list_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_table.h"
#include "features/fault/hw_monitor/hw_mon_threshold_dlg.h"
#include "link/record_requests.h"
#include "platform/notify_codes.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/shell/app/config_file_path.h"
#include "ui_hw_monitor_list_dlg.h"

#include <QDateTime>

#include <set>

namespace {

using Column = ListColumn<HwReadingRow>;

constexpr uint32_t kKindAndIndex = 1000;
constexpr int kImageNone = 0;
constexpr int kImageNear = kImageSeverityCritical + 2; // the minor picture, yellow

int MarkImage(const HwReadingRow& row)
{
    switch (row.mark.mark) {
    case HwMark::kAlarm:
        return kImageSeverityCritical;
    case HwMark::kNear:
        return kImageNear;
    default:
        return kImageNone;
    }
}

uint32_t Key(const HwReadingRow& row)
{
    return CHwMonitorListDlg::ReadingKey(row.reading);
}

// Orders by the reading's kind and index, then by `value`, then by its entity: a sort key of one number.
ListValue KindValueEntity(const HwReadingRow& row, int32_t value)
{
    const uint32_t key = Key(row);
    constexpr int kValueShift = 17; // entity ids have five digits: below 2^17
    constexpr int kKindShift = kValueShift + 32;
    const auto biased = static_cast<int64_t>(value) - INT32_MIN;
    return (static_cast<int64_t>(key % kKindAndIndex) << kKindShift) + (biased << kValueShift) + key / kKindAndIndex;
}

std::string ReferenceText(const HwMonRec& reading)
{
    if (reading.kind != kHwKindVoltage && reading.referenceValue == 0)
        return "--";
    return std::to_string(reading.referenceValue);
}

} // namespace

uint32_t CHwMonitorListDlg::ReadingKey(const HwMonRec& reading)
{
    return reading.entityId * kKindAndIndex + reading.kind * 100 + reading.sensorIndex;
}

CHwMonitorListDlg::CHwMonitorListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "REFRESH_LIST",
                      .rowCommands = {{kRefreshButtonId, kPopupRefresh}},
                      .right = kRightHardwareMonitoring,
                      .exportStem = "FMHwMon"},
                     parent),
      ui_(std::make_unique<Ui::CHwMonitorListDlg>()),
      rows_(
          *this,
          {
              {.value = [](const HwReadingRow& row) { return ListValue(row.number); },
               .order = ListOrder::kUnsigned,
               .sortValue = [](const HwReadingRow& row) { return ListValue(Key(row)); },
               .image = MarkImage},
              {.value =
                   [this](const HwReadingRow& row) {
                       return FormatEntityLocationById(FindNeById(static_cast<uint32_t>(GetNeId())),
                                                       row.reading.entityId);
                   },
               .order = ListOrder::kUnsigned,
               .sortValue = [](const HwReadingRow& row) { return ListValue(Key(row)); }},
              {.value = [](const HwReadingRow& row) { return ListValue(row.reading.name); },
               .order = ListOrder::kSigned,
               .sortValue =
                   [](const HwReadingRow& row) {
                       const uint32_t key = Key(row);
                       return ListValue((static_cast<int64_t>(key % kKindAndIndex) << 32) + key / kKindAndIndex);
                   }},
              {.value = [](const HwReadingRow& row) { return ListValue(row.reading.currentValue); },
               .order = ListOrder::kSigned,
               .sortValue = [](const HwReadingRow& row) { return KindValueEntity(row, row.reading.currentValue); }},
              {.value = [](const HwReadingRow& row) { return ListValue(ReferenceText(row.reading)); },
               .order = ListOrder::kSigned,
               .sortValue = [](const HwReadingRow& row) { return KindValueEntity(row, row.reading.referenceValue); }},
              {.value = [](const HwReadingRow& row) { return ListValue(row.mark.thresholds); },
               .order = ListOrder::kUnsigned,
               .sortValue = [](const HwReadingRow& row) { return ListValue(Key(row)); }},
          },
          [this](uint32_t key) -> const HwReadingRow* {
              const auto found = readings_.find(key);
              return found != readings_.end() ? &found->second : nullptr;
          },
          [this] { return RowKeys(); }),
      clock_([] { return QDateTime::currentMSecsSinceEpoch(); })
{
    ui_->setupUi(this);
    SetRecordList(rows_);
}

CHwMonitorListDlg::~CHwMonitorListDlg() = default;

std::vector<uint32_t> CHwMonitorListDlg::RowKeys() const
{
    std::vector<uint32_t> keys(readings_.size());
    for (const auto& [key, row] : readings_)
        keys[row.number - 1] = key;
    return keys;
}

void CHwMonitorListDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Check(dx, kAutoRefreshId, autoRefresh_);
}

void CHwMonitorListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightHardwareMonitoring) != 0 || CheckTargetNeOrClose() != 0)
        return;
    const std::string config = CurrentConfigFilePath();
    margins_ = ReadHwMargins(config);
    // A port stands for its module: the readings of the slot and below it.
    const CEntityIndex& index = GetTargetEntity().index;
    CEntityId slot;
    slot.SetLevels(index.Ne(), index.Shelf(), index.Slot(), 0, 0);
    SetTarget(GetNeId(), &slot);
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    SetSmallImages();
    InitListColumnsById(kStrColumnsHardwareReadings);
    periodMs_ = ReadHwRefreshPeriodMs(config);
    UpdateData(false);
    ApplyAutoRefresh();
    Refresh();
}

bool CHwMonitorListDlg::Refresh()
{
    const auto neId = static_cast<uint32_t>(GetNeId());
    const CEntityId& target = GetTargetEntity();
    HwMonRec query;
    query.entityId = target.id;
    // An automatic refresh that fails says nothing: it only ends the automatic refresh.
    const bool quiet = autoRefresh_ != 0;
    const RecordReply<HwMonRec> reply = CRecordRequests().Query(
        kReqHwMonitor, neId, query, {.failureTextId = quiet ? 0 : kStrFailToQuery, .waitDialog = !quiet});
    if (!reply.Ok())
        return false;

    const CNeRecord* ne = FindNeById(neId);
    std::map<uint32_t, HwReadingRow> shown;
    uint32_t number = 0;
    for (const HwMonRec& reading : reply.records) {
        if (reading.entityId != target.id && !target.IsAncestorOf(reading.entityId))
            continue;
        const CEntityNode* node = ne != nullptr && ne->root != nullptr ? ne->root->FindById(reading.entityId) : nullptr;
        if (node == nullptr || node->IsEmptyOrUnknown() || !node->IsConnected())
            continue;
        ++number;
        shown.emplace(number, HwReadingRow{reading, number, ClassifyReading(reading, margins_)});
    }
    // One row per record, even of a reading the reply names twice: the n-th record shown is written over the n-th
    // row, new rows come at the bottom and the rows past the last record go.
    std::vector<uint32_t> gone;
    for (const auto& [key, row] : readings_) {
        if (key > number)
            gone.push_back(key);
    }
    readings_ = std::move(shown);
    for (uint32_t key : gone)
        rows_.Update(key);
    for (uint32_t key : RowKeys())
        rows_.Update(key);
    SortList(GetSortColumn(), GetSortDirection());
    UpdateListLayout();
    UpdateRowCommands();
    return true;
}

bool CHwMonitorListDlg::IsRowCommandOn(const RowCommand& command, std::optional<uint32_t> /*selected*/) const
{
    // Refresh is the only command listed: it is offered while the list does not refresh by itself.
    return command.button == kRefreshButtonId && autoRefresh_ == 0;
}

bool CHwMonitorListDlg::OnCommand(int id, int code)
{
    if (code == BN_CLICKED) {
        switch (id) {
        case kRefreshButtonId:
        case kPopupRefresh:
            if (autoRefresh_ == 0)
                Refresh();
            return true;
        case kModifyButtonId:
        case kPopupModify: {
            CHwMonThresholdDlg dlg(this);
            dlg.SetTarget(GetNeId(), &GetTargetEntity());
            if (dlg.DoModal() == IDOK)
                Refresh();
            return true;
        }
        case kAutoRefreshId:
            if (UpdateDialogData())
                ApplyAutoRefresh();
            return true;
        default:
            break;
        }
    }
    return CRecordListDlg::OnCommand(id, code);
}

void CHwMonitorListDlg::ApplyAutoRefresh()
{
    UpdateRowCommands();
    if (autoRefresh_ != 0) {
        dueMs_ = clock_() + periodMs_;
        SetTimer(kAutoRefreshTimer, periodMs_);
    } else {
        KillTimer(kAutoRefreshTimer);
    }
}

void CHwMonitorListDlg::OnTimer(int id)
{
    if (id != kAutoRefreshTimer) {
        CRecordListDlg::OnTimer(id);
        return;
    }
    KillTimer(kAutoRefreshTimer);
    OnAutoRefreshTick();
}

void CHwMonitorListDlg::OnAutoRefreshTick()
{
    if (!Refresh()) {
        autoRefresh_ = 0;
        UpdateData(false);
        ApplyAutoRefresh();
        return;
    }
    const HwNextRefresh next = NextHwRefresh(dueMs_, clock_(), periodMs_);
    dueMs_ = next.dueMs;
    SetTimer(kAutoRefreshTimer, next.timerMs);
}

void CHwMonitorListDlg::OnDestroy()
{
    KillTimer(kAutoRefreshTimer);
    CRecordListDlg::OnDestroy();
}

void CHwMonitorListDlg::DrawExtras(Dc& dc)
{
    DrawListIconOnControl(dc, *this, kCriticalLegendId, kImageSeverityCritical);
    DrawListIconOnControl(dc, *this, kWarningLegendId, kImageNear);
}
