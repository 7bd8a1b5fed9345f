#include "features/fault/alarm_stats/alarm_stat_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "features/fault/alarm_events/alarm_event_list_dlg.h"
#include "features/fault/alarm_events/query_scope.h"
#include "features/fault/trap_log/entity_alarm_text.h"
#include "link/record_requests.h"
#include "link/records/alarm_stat_query_rec.h"
#include "link/records/alarm_stat_rec.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_alarm_stat_dlg.h"

namespace {

using Column = ListColumn<AlarmStatRow>;

// No. and Slot-Port sort by the rows' entity ids (their item data), as signed numbers.
ListValue EntityIdOf(const AlarmStatRow& row)
{
    return static_cast<int32_t>(row.entityId);
}

constexpr int kInfoIndex = 4;

// A new row shows "0" from Total to Warning; Info shows a number only once a record of it counted. The counts sort
// as numbers, a blank Info cell as 0.
Column CountColumn(int severityIndex)
{
    const auto count = [severityIndex](const AlarmStatRow& row) {
        return ListValue(row.bySeverity[static_cast<size_t>(severityIndex)]);
    };
    return {.value =
                [severityIndex, count](const AlarmStatRow& row) {
                    if (severityIndex == kInfoIndex && !row.infoCounted)
                        return ListValue();
                    return count(row);
                },
            .order = ListOrder::kUnsigned,
            .sortValue = count};
}

} // namespace

CAlarmStatDlg::CAlarmStatDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "FM_HIS_STAT_LIST",
                      .rowCommands = {},
                      .activateCommand = kAlarmListButtonId,
                      .exportStem = "HisAlmSt"},
                     parent),
      ui_(std::make_unique<Ui::CAlarmStatDlg>()),
      rows_(
          *this,
          {
              {.order = ListOrder::kSigned, .sortValue = EntityIdOf},
              {.value =
                   [this](const AlarmStatRow& row) {
                       return FormatEntityLocationById(FindNeById(static_cast<uint32_t>(GetNeId())), row.entityId);
                   },
               .order = ListOrder::kSigned,
               .sortValue = EntityIdOf,
               .image =
                   [](const AlarmStatRow& row) {
                       return EntityLevelImage(EntityIndexFromId(row.entityId).GetLevel());
                   }},
              {.value = &AlarmStatRow::total, .order = ListOrder::kUnsigned},
              CountColumn(0),
              CountColumn(1),
              CountColumn(2),
              CountColumn(3),
              CountColumn(4),
          },
          [this](uint32_t entityId) -> const AlarmStatRow* {
              const auto found = counts_.find(entityId);
              return found != counts_.end() ? &found->second : nullptr;
          },
          [this] { return QueryCounts(); })
{
    ui_->setupUi(this);
    rows_.SetTies(ListTies::kArrival);
    SetRecordList(rows_);
}

CAlarmStatDlg::~CAlarmStatDlg() = default;

void CAlarmStatDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightHistoryAlarms) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    SetSmallImages();
    EnableSubItemImages();
    InitListColumnsById(kStrColumnsAlarmStatistics);
    FillList();
}

std::vector<uint32_t> CAlarmStatDlg::QueryCounts()
{
    counts_.clear();
    std::vector<uint32_t> keys;
    if (FindNeById(static_cast<uint32_t>(GetNeId())) == nullptr)
        return keys;
    const EntityRange entities = EntityRangeOf(GetTargetEntity(), criteria_.withSubEntities);
    const AlarmStatQueryRec query{entities.first, entities.last, criteria_.severity, criteria_.fromTime,
                                  criteria_.toTime};
    const RecordReply<AlarmStatRec> reply = CRecordRequests().Query<AlarmStatRec>(
        kReqAlarmStatistics, static_cast<uint32_t>(GetNeId()), query, {.failureTextId = kStrFailToQuery});
    if (!reply.Ok())
        return keys;
    for (const AlarmStatRec& rec : reply.records) {
        auto [row, added] = counts_.try_emplace(rec.entityId);
        if (added) {
            row->second.entityId = rec.entityId;
            keys.push_back(rec.entityId);
        }
        // A severity outside 1..5 counts nowhere.
        if (rec.severity < 1 || rec.severity > 5)
            continue;
        row->second.bySeverity[rec.severity - 1] += rec.count;
        row->second.infoCounted = row->second.infoCounted || rec.severity - 1 == kInfoIndex;
        row->second.total += rec.count;
    }
    return keys;
}

bool CAlarmStatDlg::OnCommand(int id, int code)
{
    // Alarm List has the Show command's ids but works without a chosen row too.
    if (code == BN_CLICKED && (id == kAlarmListButtonId || id == kPopupAlarmList)) {
        OnAlarmList();
        return true;
    }
    return CRecordListDlg::OnCommand(id, code);
}

void CAlarmStatDlg::OnAlarmList()
{
    AlarmQueryHandOver handOver;
    handOver.queryMode = kAlarmQueryHistory;
    handOver.severity = criteria_.severity;
    handOver.fromTime = criteria_.fromTime;
    handOver.toTime = criteria_.toTime;
    CEntityId entity = GetTargetEntity();
    if (const std::optional<uint32_t> selected = SelectedItemData()) {
        entity = CEntityId(*selected);
        handOver.withSubEntities = false;
    } else {
        handOver.withSubEntities = true;
    }
    CAlarmEventListDlg list(this);
    list.SetTarget(GetNeId(), &entity);
    list.SetHandOver(handOver);
    list.DoModal();
}
