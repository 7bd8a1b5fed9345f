#include "features/performance/pm/shdsl_cur_pm_dlg.h"

#include "core/tables/ne_table.h"
#include "features/performance/graphs/pm_graph_dlg.h"
#include "features/performance/pm/pm_description.h"
#include "link/pdu_log.h"
#include "link/record_requests.h"
#include "link/records/shdsl_interval_rec.h"
#include "link/records/shdsl_pm_rec.h"
#include "ui/framework/messages/string_table.h"
#include "ui_shdsl_cur_pm_dlg.h"

namespace {

constexpr uint32_t kSideCo = 1;
constexpr uint32_t kSideRt = 2;
const std::vector<int8_t> kLiveSeriesFlags = {1, 1, 1, 1, -1, 2, 2, 2, 2, -2};

std::vector<ListColumn<ShdslCurPmRow>> Columns()
{
    using R = ShdslCurPmRow;
    return {
        {.value =
             [](const R& r) {
                 return ListValue(r.IsRemote() ? "" : PmIntervalName(static_cast<int>(r.number / 2)).toStdString());
             },
         .order = ListOrder::kArrival},
        {.value = [](const R& r) { return ListValue(LoadString(r.IsRemote() ? kStrRt : kStrCo)); },
         .order = ListOrder::kArrival},
        {.value = [](const R& r) { return ListValue(r.counters.es); }, .order = ListOrder::kUnsigned},
        {.value = [](const R& r) { return ListValue(r.counters.ses); }, .order = ListOrder::kUnsigned},
        {.value = [](const R& r) { return ListValue(r.counters.uas); }, .order = ListOrder::kUnsigned},
        {.value = [](const R& r) { return ListValue(r.counters.losws); }, .order = ListOrder::kUnsigned},
        {.value = [](const R& r) { return ListValue(r.counters.crc); }, .order = ListOrder::kUnsigned},
    };
}

ShdslPmRowNumbers NumbersOf(const ShdslCurPmRow& row)
{
    const ShdslPmCountersRec& c = row.counters;
    return {c.es, c.ses, c.uas, c.losws, c.crc};
}

} // namespace

CShdslCurPmDlg::CShdslCurPmDlg(QWidget* parent)
    : CCurrentPmDlgOf({kTemplateId, "ShdslPmC", kRefreshTimer, kShdslPortClass, kStrColumnsShdslCurrentPm}, Columns(),
                      parent),
      ui_(std::make_unique<Ui::CShdslCurPmDlg>())
{
    ui_->setupUi(this);
    BindRows();
}

CShdslCurPmDlg::~CShdslCurPmDlg() = default;

bool CShdslCurPmDlg::ReadRows(const CNeRecord& ne, Rows& rows, bool automatic)
{
    const uint32_t port = GetTargetEntity().id;
    if (const uint8_t portClass = EntityProvClass(ne, port); portClass != 0 && portClass != kShdslPortClass)
        return false;
    const RequestOptions options = automatic ? RequestOptions{.failureTextId = 0, .waitDialog = false}
                                             : RequestOptions{.failureTextId = kStrFailToQuery};
    const CRecordRequests requests;
    const auto neId = static_cast<uint32_t>(GetNeId());
    const CPduLogHold hold;
    uint32_t elapsed15Min = 0;
    uint32_t elapsedDay = 0;
    for (const uint32_t side : {kSideCo, kSideRt}) {
        const RecordReply<ShdslPmRec> reply =
            requests.Query<ShdslPmRec>(kReqShdslPm, neId, ShdslPmQueryRec{port, side}, options);
        if (!reply.Ok() || reply.records.empty())
            return false;
        const ShdslPmRec shown = PlausibleShdslPm(reply.records.front());
        const size_t first = side == kSideCo ? 0 : 1;
        if (side == kSideCo) {
            elapsed15Min = shown.elapsed15Min;
            elapsedDay = shown.elapsedDay;
            ShowElapsed(QString::number(elapsed15Min), QString::number(elapsedDay));
        }
        rows[first].counters = shown.current15Min;
        rows[first + 4].counters = shown.currentDay;
        rows[first + 6].counters = shown.previousDay;
    }
    // The latest stored interval of each side is its previous 15 minutes.
    for (const uint32_t side : {kSideCo, kSideRt}) {
        const RecordReply<ShdslIntervalRec> intervals =
            requests.Query<ShdslIntervalRec>(kReqShdslHistory, neId, ShdslHistoryQueryRec{port, side, 0}, options);
        if (intervals.Ok() && !intervals.records.empty())
            rows[side == kSideCo ? 2 : 3].counters = PlausibleShdslInterval(intervals.records.front()).counters;
    }
    if (CPmGraphDlg* graph = LiveGraph()) {
        const ShdslPmCurrentNumbers numbers{NumbersOf(rows[0]), NumbersOf(rows[1]), NumbersOf(rows[4]),
                                            NumbersOf(rows[5])};
        const ShdslPmGraphPoint point = feed_.Next(numbers, elapsed15Min, elapsedDay, GraphedRow());
        if (point.clear)
            graph->ClearSeries(false);
        graph->AddPoints(point.values, QString());
    }
    return true;
}

void CShdslCurPmDlg::SetUpGraph(CPmGraphDlg& graph, int row)
{
    SetUpGraphInterval(graph, row);
    graph.SetAxisTitles(windowTitle().toStdString() + " / " + PmIntervalName(row / 2).toStdString(),
                        LoadString(kStrElapsedTimeSeconds), LoadString(kStrSecondsAxis), LoadString(kStrFrames));
    graph.SetSeries(static_cast<uint8_t>(kLiveSeriesFlags.size()), LoadString(kStrShdslLiveSeries), kLiveSeriesFlags);
}

int CShdslCurPmDlg::OnCommandHook(int id, int code)
{
    if (code == BN_CLICKED && (id == kDescriptionButtonId || id == kDescriptionPopupId)) {
        ShowXdslPmDescription(this);
        return 1;
    }
    return CCurrentPmDlgOf::OnCommandHook(id, code);
}
