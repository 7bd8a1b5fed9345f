#include "features/fault/alarm_events/alarm_event_list_dlg.h"

#include "core/config/app_settings.h"
#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "core/util/date_time_format.h"
#include "core/util/severity.h"
#include "features/fault/active_alarms/alarm_ack_dlg.h"
#include "features/fault/alarm_events/query_scope.h"
#include "features/fault/alarm_lists/alarm_list_look.h"
#include "features/fault/trap_log/alarm_detail_dlg.h"
#include "features/fault/trap_log/entity_alarm_text.h"
#include "features/fault/trap_log/event_detail_dlg.h"
#include "link/record_requests.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_alarm_event_list_dlg.h"

#include <algorithm>

namespace {

using Column = ListColumn<AlarmEventEntry>;

constexpr size_t kAckPersonMax = kAlarmEventAckPersonWidth - 1;

// The columns after Entity Type show nothing for an NE outside the list's location.
bool InLocation(const AlarmEventEntry& entry)
{
    return entry.look.image != kImageOutsideLocation;
}

std::string TimeText(const AlarmEventEntry& entry, uint32_t seconds)
{
    return InLocation(entry) ? FormatDateTime2(seconds) : std::string();
}

// The server list sorts each column by its value, then by the place of the alarm.
CChainKey& Place(CChainKey& key, const AlarmEventRec& rec)
{
    return key.Text(rec.locationName).Text(rec.neName).Number(rec.entityId);
}

ListValue BySeverity(const AlarmEventEntry& entry)
{
    CChainKey key;
    return std::string(Place(key.Gravity(entry.look.severity), entry.record));
}

ListValue ByTime(uint32_t seconds, const AlarmEventRec& rec)
{
    CChainKey key;
    return std::string(Place(key.Number(seconds), rec));
}

std::vector<Column> EventColumns()
{
    return {
        {.value = [](const AlarmEventEntry& e) { return ListValue(e.record.recordNo); },
         .order = ListOrder::kUnsigned,
         .sortValue = [](const AlarmEventEntry& e) { return ListValue(e.index); },
         .image = [](const AlarmEventEntry& e) { return e.look.image; }},
        {.value = [](const AlarmEventEntry& e) { return SeverityText(e.look.severity).toStdString(); },
         .order = ListOrder::kText,
         .sortValue = BySeverity},
        {.value = [](const AlarmEventEntry& e) { return e.record.locationName; },
         .order = ListOrder::kText,
         .sortValue =
             [](const AlarmEventEntry& e) {
                 CChainKey key;
                 return ListValue(std::string(Place(key, e.record)));
             }},
        {.value = [](const AlarmEventEntry& e) { return e.record.neName; },
         .order = ListOrder::kText,
         .sortValue =
             [](const AlarmEventEntry& e) {
                 return ListValue(std::string(CChainKey().Text(e.record.neName).Number(e.record.entityId)));
             }},
        {.value =
             [](const AlarmEventEntry& e) {
                 return FormatEntityLocationById(FindNeByName(e.record.neName), e.record.entityId);
             },
         .order = ListOrder::kText,
         .sortValue =
             [](const AlarmEventEntry& e) {
                 return ListValue(std::string(CChainKey().Text(e.record.neName).Number(e.record.entityId)));
             }},
        {.value = [](const AlarmEventEntry& e) { return e.look.modelName; },
         .order = ListOrder::kText,
         .sortValue =
             [](const AlarmEventEntry& e) {
                 CChainKey key;
                 return ListValue(std::string(Place(key.Text(e.look.modelName).Number(e.record.occurTime), e.record)));
             },
         .image = [](const AlarmEventEntry& e) { return EntityLevelImage(e.look.level); }},
        {.value =
             [](const AlarmEventEntry& e) {
                 return InLocation(e) ? std::string(AlarmClassText(static_cast<int>(e.record.alarmType)))
                                      : std::string();
             },
         .order = ListOrder::kText,
         .sortValue = BySeverity},
        {.value = [](const AlarmEventEntry& e) { return InLocation(e) ? e.look.alarms : std::string(); },
         .order = ListOrder::kText,
         .sortValue = BySeverity},
        {.value = [](const AlarmEventEntry& e) { return TimeText(e, e.record.occurTime); },
         .order = ListOrder::kText,
         .sortValue = [](const AlarmEventEntry& e) { return ByTime(e.record.occurTime, e.record); }},
        {.value = [](const AlarmEventEntry& e) { return TimeText(e, e.record.receiveTime); },
         .order = ListOrder::kText,
         .sortValue = [](const AlarmEventEntry& e) { return ByTime(e.record.receiveTime, e.record); }},
        {.value = [](const AlarmEventEntry& e) { return TimeText(e, e.record.clearTime); },
         .order = ListOrder::kText,
         .sortValue = [](const AlarmEventEntry& e) { return ByTime(e.record.clearTime, e.record); }},
        {.value = [](const AlarmEventEntry& e) { return InLocation(e) ? e.record.ackPerson : std::string(); },
         .order = ListOrder::kText,
         .sortValue =
             [](const AlarmEventEntry& e) {
                 CChainKey key;
                 return ListValue(std::string(Place(key.Text(e.record.ackPerson), e.record)));
             }},
        {.value = [](const AlarmEventEntry& e) { return TimeText(e, e.record.ackTime); },
         .order = ListOrder::kText,
         .sortValue = [](const AlarmEventEntry& e) { return ByTime(e.record.ackTime, e.record); }},
    };
}

std::vector<CAlarmPageDlg::FilterBox> SeverityFilterBoxes()
{
    constexpr std::array<int, 5> kCountIds = {1173, 1176, 1178, 1183, 1396};
    std::vector<CAlarmPageDlg::FilterBox> boxes;
    for (size_t i = 0; i < kSeverityBoxes.size(); ++i)
        boxes.push_back({kSeverityBoxes[i].checkId, kSeverityBoxes[i].filterBit, kCountIds[i]});
    return boxes;
}

} // namespace

CAlarmEventListDlg::CAlarmEventListDlg(QWidget* parent)
    : CAlarmPageDlg(kTemplateId,
                    {.popupName = "FM_HIS_LIST",
                     .rowCommands = {{kDetailButtonId, kPopupDetail}, {kAcknowledgeButtonId, kPopupAcknowledge}},
                     .activateCommand = kDetailButtonId,
                     .exportStem = "HisAlm"},
                    SeverityFilterBoxes(),
                    {{kAckCheckId, kRowFilterAcknowledged, 0}, {kNackCheckId, kRowFilterUnacknowledged, 0}}, parent),
      ui_(std::make_unique<Ui::CAlarmEventListDlg>()),
      rows_(
          *this, EventColumns(), [this](uint32_t key) { return Entry(key); }, [this] { return QueryPage(); })
{
    ui_->setupUi(this);
    SetAccessMode(kAccessModify);
    rows_.SetTies(ListTies::kKey);
    SetRecordList(rows_);
}

CAlarmEventListDlg::~CAlarmEventListDlg() = default;

const AlarmEventEntry* CAlarmEventListDlg::Entry(uint32_t key) const
{
    return key < page_.size() ? &page_[key] : nullptr;
}

uint16_t CAlarmEventListDlg::RowFlags(uint32_t key) const
{
    const AlarmEventEntry* entry = Entry(key);
    return entry != nullptr ? entry->look.flags : 0;
}

const std::string& CAlarmEventListDlg::RowAlarms(uint32_t key) const
{
    static const std::string kNone;
    const AlarmEventEntry* entry = Entry(key);
    return entry != nullptr ? entry->look.alarms : kNone;
}

void CAlarmEventListDlg::InitData()
{
    const bool active = handOver_.queryMode == kAlarmQueryActive;
    if (CheckAccessRightOrClose(active ? kRightActiveAlarms : kRightHistoryAlarms) != 0)
        return;
    const bool direct = AppSettings().directControl;
    if (!active || direct)
        ShowControls({kAcknowledgeButtonId, kAckCheckId, kNackCheckId}, false);
    UpdateCaption(kCaptionText | kCaptionTargetFirst, active ? "Active" : "History", false, true);
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    SetSmallImages();
    EnableSubItemImages();
    SetRowColorMode(kRowColorsByImage);
    std::vector<RowColorStyle> styles = SeverityRowStyles();
    styles.push_back({static_cast<uint32_t>(kImageOutsideLocation), 0x808080, 0xC0C0C0});
    SetRowColors(styles);
    InitListColumnsById(kStrColumnsAlarmEvents);
    if (direct) {
        for (int column : {kLocationColumn, kClearTimeColumn, kAckPersonColumn, kAckTimeColumn})
            SetColumnHidden(column, true);
    } else if (active) {
        SetColumnHidden(kClearTimeColumn, true);
    }
    ResetBoxesToHandOver();
    total_ = kFirstRangeEnd;
    ShowRange({1, kFirstRangeEnd});
    FillList();
}

void CAlarmEventListDlg::ResetBoxesToHandOver()
{
    std::vector<int> severityOn;
    for (const SeverityBox& box : kSeverityBoxes) {
        const bool on = handOver_.severity == 0 || handOver_.severity == static_cast<uint32_t>(box.severity);
        EnableControl(box.checkId, on);
        if (on)
            severityOn.push_back(box.checkId);
    }
    EnableControl(kNackCheckId, handOver_.ackOnly == 0);
    std::vector<int> ackOff;
    if (handOver_.ackOnly != 0)
        ackOff.push_back(kNackCheckId);
    ResetFilterBoxes(severityOn, ackOff);
}

AlarmQueryRec CAlarmEventListDlg::QueryOfHandOver() const
{
    AlarmQueryRec query;
    const EntityRange entities = EntityRangeOf(GetTargetEntity(), handOver_.withSubEntities);
    query.firstEntity = entities.first;
    query.lastEntity = entities.last;
    query.locationId = static_cast<uint32_t>(GetLocationId());
    query.modelId = handOver_.modelId;
    query.alarmMask = handOver_.alarmMask;
    query.ackOnly = handOver_.ackOnly;
    query.severity = handOver_.severity;
    query.fromTime = handOver_.fromTime;
    query.toTime = handOver_.toTime;
    query.queryMode = handOver_.queryMode;
    return query;
}

bool CAlarmEventListDlg::IsSummaryQuery(const AlarmQueryRec& query) const
{
    return query.queryMode == kAlarmQueryActive && query.locationId == 0 && GetNeId() == 0 && query.firstEntity == 0 &&
           query.lastEntity == 0 && query.modelId == 0 && query.alarmMask == 0 && query.ackOnly == 0 &&
           query.fromTime == 0 && query.toTime == 0 && query.severity >= kSeverityCritical &&
           query.severity <= kSeverityInfo;
}

std::vector<uint32_t> CAlarmEventListDlg::QueryPage()
{
    std::vector<uint32_t> keys;
    page_.clear();
    FilterAndCount(keys);
    if (!UpdateDialogData())
        return keys;
    ClearCounts();
    const RecordRange range = GetRange();
    AlarmQueryRec query = QueryOfHandOver();
    query.firstRecord = range.from;
    query.recordCount = range.Count();
    const RecordReply<AlarmEventRec> reply = CRecordRequests().Query<AlarmEventRec>(
        kReqAlarmEvent, static_cast<uint32_t>(GetNeId()), query, {.failureTextId = kStrFailToQuery});
    if (!reply.Ok())
        return keys;
    ResetBoxesToHandOver();
    total_ = reply.total;
    const AlarmEventContext context{handOver_.queryMode == kAlarmQueryActive, static_cast<uint32_t>(GetNeId()),
                                    static_cast<uint32_t>(GetLocationId())};
    page_ = MakeAlarmEventPage(reply.records, context);
    keys = NamedRows(RowKeysOf(page_));
    FilterAndCount(keys);
    if (IsSummaryQuery(query))
        AppData().SetAlarmSeverityCount(static_cast<int>(query.severity), total_);
    ShowRange(ValidateRecordRange(range, total_));
    return keys;
}

void CAlarmEventListDlg::OnPagingButton(int id)
{
    const RecordRange range = GetRange();
    switch (id) {
    case kFirstPageId:
        ShowRange(FirstPage(range));
        break;
    case kPreviousPageId:
        ShowRange(PreviousPage(range));
        break;
    case kNextPageId:
        ShowRange(NextPage(range, total_));
        break;
    default:
        ShowRange(LastPage(range, total_));
        break;
    }
    RefillList();
}

int CAlarmEventListDlg::OnCommandHook(int id, int code)
{
    if (code == BN_CLICKED) {
        switch (id) {
        case kDetailButtonId:
        case kPopupDetail:
            OnDetail();
            return 1;
        case kAcknowledgeButtonId:
        case kPopupAcknowledge:
            OnAcknowledge();
            return 1;
        default:
            break;
        }
    }
    return CAlarmPageDlg::OnCommandHook(id, code);
}

void CAlarmEventListDlg::OnListSelChanged(int row, int listId)
{
    CAlarmPageDlg::OnListSelChanged(row, listId);
    const std::optional<uint32_t> key = SelectedItemData();
    const AlarmEventEntry* entry = key ? Entry(*key) : nullptr;
    if (entry != nullptr && !InLocation(*entry))
        EnableControls({kDetailButtonId, kAcknowledgeButtonId}, false);
}

void CAlarmEventListDlg::OnDetail()
{
    const std::optional<uint32_t> key = RequireSelectedItemData();
    const AlarmEventEntry* entry = key ? Entry(*key) : nullptr;
    if (entry == nullptr)
        return;
    const AlarmEventRec& rec = entry->record;
    const CNeRecord* ne = FindNeByName(rec.neName);
    const CEntityId entity(rec.entityId);
    auto fill = [&](CAlarmDetailBaseDlg& dlg) {
        dlg.SetTarget(ne != nullptr ? static_cast<int>(ne->neId) : 0, &entity);
        dlg.SetPlannedType(rec.plannedType);
        dlg.SetOnlineType(rec.actualType);
        dlg.SetAlarmBits(rec.alarmMask);
        dlg.SetSeverity(static_cast<int>(rec.severity));
        dlg.SetOccurTime(rec.occurTime);
        dlg.SetReceiveTime(rec.receiveTime);
    };
    if (AppSettings().directControl) {
        CEventDetailDlg dlg(this);
        fill(dlg);
        dlg.DoModal();
        return;
    }
    CAlarmDetailDlg dlg(this);
    fill(dlg);
    dlg.SetClearTime(rec.clearTime);
    dlg.SetAckTime(rec.ackTime);
    dlg.SetAckPerson(rec.ackPerson);
    dlg.DoModal();
}

void CAlarmEventListDlg::OnAcknowledge()
{
    const std::optional<uint32_t> key = RequireSelectedItemData();
    if (!key || *key >= page_.size())
        return;
    AlarmEventEntry& entry = page_[*key];
    const CNeRecord* ne = FindNeByName(entry.record.neName);
    if (ne == nullptr) {
        ShowAlertTextById(kStrUnknownNe);
        return;
    }
    const CEntityId entity(entry.record.entityId);
    CAlarmAckDlg dlg(this);
    dlg.SetTarget(static_cast<int>(ne->neId), &entity);
    if (CheckUserRight(AppData().role, kRightAlarmAcknowledge, 'm') != 0)
        dlg.SetAccessMode(kAccessModify);
    if (dlg.DoModal() != IDOK)
        return;
    entry.record.ackPerson = dlg.GetAckPerson().substr(0, kAckPersonMax);
    entry.record.ackTime = dlg.GetAckTime();
    entry.look.flags = static_cast<uint16_t>((entry.look.flags & ~kRowFilterUnacknowledged) | kRowFilterAcknowledged);
    rows_.Update(*key);
}
