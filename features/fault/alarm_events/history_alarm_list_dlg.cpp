#include "features/fault/alarm_events/history_alarm_list_dlg.h"

#include "core/config/app_settings.h"
#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "core/util/date_time_format.h"
#include "core/util/severity.h"
#include "features/fault/alarm_events/ne_boot_time.h"
#include "features/fault/alarm_lists/alarm_list_look.h"
#include "features/fault/trap_log/entity_alarm_text.h"
#include "features/fault/trap_log/type_change_detail_dlg.h"
#include "link/pdu_log.h"
#include "link/record_requests.h"
#include "link/records/ne_alarm_log_range_rec.h"
#include "link/records/ne_time_record.h"
#include "platform/list_control.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_history_alarm_list_dlg.h"

#include <algorithm>
#include <ctime>

namespace {

using Column = ListColumn<NeAlarmLogEntry>;

std::string NeNameOf(uint32_t neId)
{
    const CNeRecord* ne = FindNeById(neId);
    return ne != nullptr ? ne->name : std::string();
}

std::string LocationOf(uint32_t neId)
{
    const CNeRecord* ne = FindNeById(neId);
    return ne != nullptr ? ne->GetLocationName() : std::string();
}

// Text columns sort by their text, then by the entity.
ListValue ByText(const std::string& text, const NeAlarmLogEntry& e)
{
    return std::string(CChainKey().Text(text).Number(e.record.entityId));
}

ListValue BySeverity(const NeAlarmLogEntry& e)
{
    return std::string(CChainKey().Gravity(e.look.severity).Number(e.record.entityId));
}

std::vector<CAlarmPageDlg::FilterBox> LogFilterBoxes()
{
    constexpr std::array<int, 5> kCountIds = {1173, 1176, 1178, 1183, 1396};
    std::vector<CAlarmPageDlg::FilterBox> boxes;
    for (size_t i = 0; i < kSeverityBoxes.size(); ++i)
        boxes.push_back({kSeverityBoxes[i].checkId, kSeverityBoxes[i].filterBit, kCountIds[i]});
    boxes.push_back({CHistoryAlarmListDlg::kClearedCheckId, kRowFilterCleared, CHistoryAlarmListDlg::kClearedCountId});
    return boxes;
}

} // namespace

CHistoryAlarmListDlg::CHistoryAlarmListDlg(QWidget* parent)
    : CAlarmPageDlg(kTemplateId,
                    {.popupName = "FM_HIS_LIST",
                     .rowCommands = {{kDetailButtonId, kPopupDetail}},
                     .activateCommand = kDetailButtonId,
                     .exportStem = "HisAlm"},
                    LogFilterBoxes(), {}, parent),
      ui_(std::make_unique<Ui::CHistoryAlarmListDlg>()),
      rows_(
          *this,
          {
              {.value = [](const NeAlarmLogEntry& e) { return ListValue(e.record.recordNo); },
               .order = ListOrder::kUnsigned,
               .image = [](const NeAlarmLogEntry& e) { return e.look.image; }},
              {.value = [](const NeAlarmLogEntry& e) { return SeverityText(e.look.severity).toStdString(); },
               .order = ListOrder::kText,
               .sortValue = BySeverity},
              {.value = [this](const NeAlarmLogEntry&) { return LocationOf(static_cast<uint32_t>(GetNeId())); },
               .order = ListOrder::kText,
               .sortValue =
                   [this](const NeAlarmLogEntry& e) {
                       return ByText(LocationOf(static_cast<uint32_t>(GetNeId())), e);
                   }},
              {.value = [this](const NeAlarmLogEntry&) { return NeNameOf(static_cast<uint32_t>(GetNeId())); },
               .order = ListOrder::kText,
               .sortValue =
                   [this](const NeAlarmLogEntry& e) { return ByText(NeNameOf(static_cast<uint32_t>(GetNeId())), e); }},
              {.value =
                   [this](const NeAlarmLogEntry& e) {
                       return FormatEntityLocationById(FindNeById(static_cast<uint32_t>(GetNeId())), e.record.entityId);
                   },
               .order = ListOrder::kText,
               .sortValue =
                   [this](const NeAlarmLogEntry& e) {
                       return ByText(
                           FormatEntityLocationById(FindNeById(static_cast<uint32_t>(GetNeId())), e.record.entityId),
                           e);
                   }},
              {.value = [](const NeAlarmLogEntry& e) { return e.look.modelName; },
               .order = ListOrder::kText,
               .sortValue = [](const NeAlarmLogEntry& e) { return ByText(e.look.modelName, e); },
               .image = [](const NeAlarmLogEntry& e) { return EntityLevelImage(e.look.level); }},
              {.value = [](const NeAlarmLogEntry& e) { return AlarmClassText(static_cast<int>(e.look.alarmType)); },
               .order = ListOrder::kText,
               .sortValue =
                   [](const NeAlarmLogEntry& e) {
                       return ByText(AlarmClassText(static_cast<int>(e.look.alarmType)), e);
                   }},
              {.value = [](const NeAlarmLogEntry& e) { return e.look.alarms; },
               .order = ListOrder::kText,
               .sortValue = BySeverity},
              {.value = [](const NeAlarmLogEntry& e) { return FormatDateTime2(e.occurTime); },
               .order = ListOrder::kText,
               .sortValue =
                   [](const NeAlarmLogEntry& e) {
                       return ListValue(
                           std::string(CChainKey().Number(e.record.occurUptime).Number(e.record.entityId)));
                   }},
              {.order = ListOrder::kArrival},
              {.order = ListOrder::kArrival},
              {.order = ListOrder::kArrival},
              {.order = ListOrder::kArrival},
          },
          [this](uint32_t key) { return Entry(key); }, [this] { return QueryPage(); })
{
    ui_->setupUi(this);
    rows_.SetTies(ListTies::kKey);
    SetRecordList(rows_);
}

CHistoryAlarmListDlg::~CHistoryAlarmListDlg() = default;

const NeAlarmLogEntry* CHistoryAlarmListDlg::Entry(uint32_t key) const
{
    return key < page_.size() ? &page_[key] : nullptr;
}

uint16_t CHistoryAlarmListDlg::RowFlags(uint32_t key) const
{
    const NeAlarmLogEntry* entry = Entry(key);
    return entry != nullptr ? entry->look.flags : 0;
}

const std::string& CHistoryAlarmListDlg::RowAlarms(uint32_t key) const
{
    static const std::string kNone;
    const NeAlarmLogEntry* entry = Entry(key);
    return entry != nullptr ? entry->look.alarms : kNone;
}

void CHistoryAlarmListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightHistoryAlarms) != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    EnableSubItemImages();
    SetRowColorMode(kRowColorsByImage);
    SetRowColors(SeverityRowStyles());
    InitListColumnsById(kStrColumnsAlarmEvents);
    for (int column : kHiddenColumns)
        SetColumnHidden(column, true);
    FlushPduLog(0, 1);
    const RecordReply<NeTimeRecord> time = CRecordRequests().Query<NeTimeRecord>(
        kReqNeTime, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    if (time.Ok() && !time.records.empty())
        bootTime_ = NeBootTime(time.records.front(), LocalTimeZoneBias(std::time(nullptr)));
    ShowRange({1, AppSettings().hisAlarmRecCnt});
    firstPage_ = true;
    RunPageQuery({0, GetRange().Count()});
    FlushPduLog(1, 1);
}

void CHistoryAlarmListDlg::RunPageQuery(PageRequest request)
{
    pending_ = request;
    RefillList();
    pending_.reset();
    firstPage_ = false;
}

std::vector<uint32_t> CHistoryAlarmListDlg::QueryPage()
{
    std::vector<uint32_t> keys;
    page_.clear();
    FilterAndCount(keys);
    const bool firstPage = firstPage_;
    if (!UpdateDialogData())
        return keys;
    ClearCounts();
    const RecordRange range = GetRange();
    const PageRequest request = pending_.value_or(PageRequest{range.from, range.Count()});
    const uint32_t count = request.count == 0 ? AppSettings().hisAlarmRecCnt : request.count;
    // The log's first entries (329), or those of a range of entry numbers (328).
    const RequestOptions options{.failureTextId = kStrFailToQuery};
    const RecordReply<NeAlarmLogRec> reply =
        request.first == 0
            ? CRecordRequests().Query(kReqNeAlarmLog, static_cast<uint32_t>(GetNeId()), NeAlarmLogRangeRec{0, count},
                                      options)
            : CRecordRequests().QueryDirect<NeAlarmLogRec>(kReqAlarmEvent, static_cast<uint32_t>(GetNeId()),
                                                           NeAlarmLogRangeRec{request.first, request.first + count - 1},
                                                           options);
    if (!reply.Ok())
        return keys;
    page_ = MakeNeAlarmLogPage(reply.records, FindNeById(static_cast<uint32_t>(GetNeId())), bootTime_);
    keys = NamedRows(RowKeysOf(page_));
    FilterAndCount(keys);
    if (firstPage && !page_.empty())
        ShowRange({page_.front().record.recordNo, page_.back().record.recordNo});
    ValidateRange();
    UpdatePagingButtons();
    return keys;
}

void CHistoryAlarmListDlg::OnPagingButton(int id)
{
    const RecordRange range = GetRange();
    switch (id) {
    case kFirstPageId:
        firstPage_ = true;
        RunPageQuery({0, range.Count()});
        return;
    case kPreviousPageId:
        ShowRange(PreviousPage(range));
        break;
    case kNextPageId:
        ShowRange(NextPage(range, kNeAlarmLogBound));
        break;
    default:
        return;
    }
    RunPageQuery({GetRange().from, GetRange().Count()});
}

int CHistoryAlarmListDlg::OnCommandHook(int id, int code)
{
    if (code == BN_CLICKED && (id == kDetailButtonId || id == kPopupDetail)) {
        OnDetail();
        return 1;
    }
    return CAlarmPageDlg::OnCommandHook(id, code);
}

void CHistoryAlarmListDlg::DrawOwnExtras(Dc& dc)
{
    DrawListIconOnControl(dc, *this, kClearedImageId, kImageCleared);
}

void CHistoryAlarmListDlg::OnDetail()
{
    const std::optional<uint32_t> key = RequireSelectedItemData();
    const NeAlarmLogEntry* entry = key ? Entry(*key) : nullptr;
    if (entry == nullptr)
        return;
    const CEntityId entity(entry->record.entityId);
    CTypeChangeDetailDlg dlg(this);
    dlg.SetTarget(GetNeId(), &entity);
    dlg.SetPlannedType(entry->record.plannedType);
    dlg.SetOnlineType(entry->record.actualType);
    dlg.SetAlarmBits(entry->record.alarmMask);
    dlg.SetSeverity(entry->look.severity);
    dlg.SetOccurTimeText(List().GetItemText(SelectedRow(), kOccurTimeColumn));
    dlg.DoModal();
}
