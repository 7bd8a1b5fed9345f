#include "features/performance/pm/shdsl_his_pm_dlg.h"

#include "core/tables/access_rights.h"
#include "core/util/date_time_format.h"
#include "features/performance/graphs/graph_dlg.h"
#include "features/performance/pm/index_dlg.h"
#include "features/performance/pm/pm_port_target.h"
#include "features/performance/pm/shdsl_pm_values.h"
#include "link/pdu_log.h"
#include "link/record_requests.h"
#include "ui/framework/charts/chart_settings.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_shdsl_his_pm_dlg.h"

#include <cstdio>

namespace {

using R = ShdslHisPmRow;
constexpr uint32_t kSideCo = 1;
constexpr uint32_t kSideRt = 2;

// The sort key of a counter: its value, then the creation time and the side.
std::string NumberKey(const R& row, uint32_t value)
{
    char key[40];
    std::snprintf(key, sizeof key, "%010u%010u%c", value, row.interval.createTime, row.remote ? '1' : '0');
    return key;
}

ListColumn<R> NumberColumn(uint32_t ShdslPmCountersRec::*counter)
{
    return {.value = [counter](const R& r) { return ListValue(r.interval.counters.*counter); },
            .order = ListOrder::kText,
            .sortValue = [counter](const R& r) { return ListValue(NumberKey(r, r.interval.counters.*counter)); }};
}

std::vector<ListColumn<R>> Columns()
{
    using C = ShdslPmCountersRec;
    return {
        // CO before RT of one time whichever way: they tie, and ties go by the order the rows came in.
        {.value = [](const R& r) { return ListValue(FormatShortDateTime(r.interval.createTime)); },
         .order = ListOrder::kUnsigned,
         .sortValue = [](const R& r) { return ListValue(r.interval.createTime); },
         .widestValue = "12-31 23:59"},
        {.value = [](const R& r) { return ListValue(LoadString(r.remote ? kStrRt : kStrCo)); },
         .order = ListOrder::kText,
         .sortValue =
             [](const R& r) {
                 return ListValue((r.remote ? "1" : "0") + std::to_string(10000000000ull + r.interval.createTime));
             }},
        NumberColumn(&C::es),
        NumberColumn(&C::ses),
        NumberColumn(&C::uas),
        NumberColumn(&C::losws),
        NumberColumn(&C::crc),
    };
}

} // namespace

std::vector<ShdslHisPmRow> MakeShdslHisPmRows(const std::vector<ShdslIntervalRec>& co,
                                              const std::vector<ShdslIntervalRec>& rt)
{
    std::vector<ShdslHisPmRow> rows;
    uint32_t number = 0;
    for (const ShdslIntervalRec& rec : co)
        rows.push_back({++number, false, PlausibleShdslInterval(rec)});
    for (const ShdslIntervalRec& rec : rt)
        rows.push_back({++number, true, PlausibleShdslInterval(rec)});
    return rows;
}

CShdslHisPmDlg::CShdslHisPmDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId, {.popupName = "PM_HIS_LIST", .rowCommands = {}, .exportStem = "ShdslPmH"}, parent),
      ui_(std::make_unique<Ui::CShdslHisPmDlg>()),
      rows_(*this, Columns(), [](const ShdslHisPmRow& row) { return row.number; })
{
    ui_->setupUi(this);
    SetRecordList(rows_);
    rows_.SetTies(ListTies::kArrival);
}

CShdslHisPmDlg::~CShdslHisPmDlg() = default;

void CShdslHisPmDlg::InitData()
{
    if (!CheckPmPortTargetOrClose(*this, kRightHistoryPm, kShdslPortClass))
        return;
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    SetSmallImages();
    InitListColumnsById(kStrColumnsShdslHistoryPm);
    OnRefresh();
}

void CShdslHisPmDlg::OnRefresh()
{
    if (CheckTargetNe() != 0 || CheckRight(kRightHistoryPm, 'q') != 0)
        return;
    rows_.SetRecords({});
    EnableControl(kGraphButtonId, false);
    // A side the NE refuses stops the refresh; the CO rows already read stay.
    std::vector<ShdslIntervalRec> sides[2];
    {
        const CPduLogHold hold;
        const CRecordRequests requests;
        for (const uint32_t side : {kSideCo, kSideRt}) {
            const RecordReply<ShdslIntervalRec> reply = requests.Query<ShdslIntervalRec>(
                kReqShdslHistory, static_cast<uint32_t>(GetNeId()), ShdslHistoryQueryRec{GetTargetEntity().id, side, 0},
                {.failureTextId = kStrFailToQuery});
            if (!reply.Ok())
                break;
            sides[side - 1] = reply.records;
        }
    }
    const std::vector<ShdslHisPmRow> rows = MakeShdslHisPmRows(sides[0], sides[1]);
    rows_.SetRecords(rows);
    rows_.ApplyWidthRules(GetListId());
    if (!GetNoSort() && IsFirstShowDone())
        SortList(GetSortColumn(), GetSortDirection(), GetListId());
    UpdateListLayout(GetListId());
    EnableControl(kGraphButtonId, !rows.empty());
}

std::vector<uint16_t> CShdslHisPmDlg::GreyedPopupCommands() const
{
    if (IsControlEnabled(kGraphButtonId))
        return {};
    return {static_cast<uint16_t>(kGraphPopupId)};
}

void CShdslHisPmDlg::OpenGraph()
{
    if (!IsControlEnabled(kGraphButtonId))
        return;
    CGraphDlg graph(this);
    graph.SetChartTitle(ChartTitle("PMHIS"));
    graph.SetAxisTitles(windowTitle().toStdString(), LoadString(kStrCreateTime), LoadString(kStrSecondsAxis),
                        LoadString(kStrFrames));
    graph.SetSeriesTitles(LoadString(kStrCo) + "|" + LoadString(kStrRt));
    graph.SetSourceList(2, 1, FindList(GetListId()));
    graph.SetSourceColumns(1, kCreateTimeColumn, {kEsColumn, kSesColumn, kUasColumn, kLosColumn, -kCrcColumn});
    // CO and RT need not have as many intervals: the series are the sides, lined up by creation time.
    graph.SetSourceGroupColumn(kSideColumn);
    const int column = GetSortColumn();
    const int direction = GetSortDirection();
    SortList(kSideColumn, kSortAscending, GetListId());
    graph.DoModal();
    SortList(column, direction, GetListId());
}

int CShdslHisPmDlg::OnCommandHook(int id, int code)
{
    if (code == BN_CLICKED && (id == kGraphButtonId || id == kGraphPopupId)) {
        OpenGraph();
        return 1;
    }
    if (code == BN_CLICKED && (id == kDescriptionButtonId || id == kDescriptionPopupId)) {
        CIndexDlg legend(this);
        legend.SetCaption(LoadQString(kStrXdslPmDescription));
        legend.SetText(LoadQString(kStrXdslPmLegend));
        legend.DoModal();
        return 1;
    }
    return CRecordListDlg::OnCommandHook(id, code);
}
