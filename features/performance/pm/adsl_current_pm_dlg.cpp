#include "features/performance/pm/adsl_current_pm_dlg.h"

#include "core/tables/ne_table.h"
#include "features/performance/graphs/pm_graph_dlg.h"
#include "features/performance/pm/adsl_pm_values.h"
#include "features/performance/pm/pm_description.h"
#include "link/pdu_log.h"
#include "link/records/adsl_current_pm_rec.h"
#include "link/records/word_record.h"
#include "link/records/xdsl_pm_interval_rec.h"
#include "ui/framework/messages/string_table.h"
#include "ui_adsl_current_pm_dlg.h"

#include <array>

namespace {

const std::vector<int8_t> kLiveSeriesFlags = {1, 2, -1, -2, 1, 2, -1, -2};

std::string SideText(const AdslCurrentPmRow& row)
{
    return LoadString(row.IsRemote() ? kStrRt : kStrCo);
}

ListValue CellsOf(const AdslCurrentPmRow& row, uint32_t cells, const std::optional<double>& rate)
{
    return row.IsRemote() ? ListValue("---") : ListValue(CellsText(cells, rate));
}

ListValue BlocksOf(const AdslCurrentPmRow& row, uint32_t blocks)
{
    return row.blocksShown ? ListValue(blocks) : ListValue("--");
}

std::vector<ListColumn<AdslCurrentPmRow>> Columns()
{
    using R = AdslCurrentPmRow;
    return {
        {.value =
             [](const R& r) {
                 return ListValue(r.IsRemote() ? "" : PmIntervalName(static_cast<int>(r.number / 2)).toStdString());
             },
         .order = ListOrder::kArrival},
        {.value = [](const R& r) { return ListValue(SideText(r)); }, .order = ListOrder::kArrival},
        {.value = [](const R& r) { return ListValue(r.counters.los); }, .order = ListOrder::kUnsigned},
        {.value = [](const R& r) { return ListValue(r.counters.es); }, .order = ListOrder::kUnsigned},
        {.value = [](const R& r) { return ListValue(r.counters.ses); }, .order = ListOrder::kUnsigned},
        {.value = [](const R& r) { return ListValue(r.counters.uas); }, .order = ListOrder::kUnsigned},
        {.value = [](const R& r) { return CellsOf(r, r.counters.txCells, r.txRate); }, .order = ListOrder::kUnsigned},
        {.value = [](const R& r) { return CellsOf(r, r.counters.rxCells, r.rxRate); }, .order = ListOrder::kUnsigned},
        {.value = [](const R& r) { return ListValue(r.counters.cvs); }, .order = ListOrder::kUnsigned},
        {.value = [](const R& r) { return ListValue(r.counters.fullInits); }, .order = ListOrder::kUnsigned},
        {.value = [](const R& r) { return ListValue(r.counters.failedInits); }, .order = ListOrder::kUnsigned},
        {.value = [](const R& r) { return BlocksOf(r, r.blocks.txBlocks); }, .order = ListOrder::kUnsigned},
        {.value = [](const R& r) { return BlocksOf(r, r.blocks.rxBlocks); }, .order = ListOrder::kUnsigned},
        {.value = [](const R& r) { return BlocksOf(r, r.blocks.correctedBlocks); }, .order = ListOrder::kUnsigned},
        {.value = [](const R& r) { return BlocksOf(r, r.blocks.uncorrectedBlocks); }, .order = ListOrder::kUnsigned},
    };
}

// Columns 2..14 of a row as numbers: a cell's count, and 0 where the row shows none.
AdslPmRowNumbers NumbersOf(const AdslCurrentPmRow& row)
{
    const XdslPmCountersRec& c = row.counters;
    const XdslBlockCountersRec& b = row.blocks;
    const bool cells = !row.IsRemote();
    return {c.los,       c.es,          c.ses,      c.uas,      cells ? c.txCells : 0, cells ? c.rxCells : 0, c.cvs,
            c.fullInits, c.failedInits, b.txBlocks, b.rxBlocks, b.correctedBlocks,     b.uncorrectedBlocks};
}

} // namespace

CAdslCurrentPmDlg::CAdslCurrentPmDlg(QWidget* parent)
    : CCurrentPmDlgOf({kTemplateId, "xDslPmC", kRefreshTimer, kAdslPortClass, kStrColumnsAdslCurrentPm}, Columns(),
                      parent),
      ui_(std::make_unique<Ui::CAdslCurrentPmDlg>())
{
    ui_->setupUi(this);
    BindRows();
}

CAdslCurrentPmDlg::~CAdslCurrentPmDlg() = default;

CAdslCurrentPmDlg::Rows CAdslCurrentPmDlg::EmptyRows() const
{
    Rows rows = CCurrentPmDlgOf::EmptyRows();
    for (AdslCurrentPmRow& row : rows)
        row.blocksShown = true;
    return rows;
}

bool CAdslCurrentPmDlg::ReadRows(const CNeRecord& ne, Rows& rows, bool automatic)
{
    const uint32_t port = GetTargetEntity().id;
    const RequestOptions options = automatic ? RequestOptions{.failureTextId = 0, .waitDialog = false}
                                             : RequestOptions{.failureTextId = kStrFailToQuery};
    const CRecordRequests requests;
    const auto neId = static_cast<uint32_t>(GetNeId());
    Reading reading;
    {
        const CPduLogHold hold;
        const RecordReply<AdslCurrentPmRec> co =
            requests.Query<AdslCurrentPmRec>(kReqAdslPmCo, neId, WordRecord{port}, options);
        if (!co.Ok() || co.records.empty())
            return false;
        // The elapsed times show as received; the counters as they are plausible.
        AdslCurrentPmRec received = co.records.front();
        if (received.elapsed15Min > k15MinSeconds || received.elapsedDay > kDaySeconds)
            received = {};
        const uint32_t elapsed15Min = received.elapsed15Min;
        const uint32_t elapsedDay = received.elapsedDay;
        ShowElapsed(QString::number(elapsed15Min), QString::number(elapsedDay));
        const AdslCurrentPmRec shown = PlausibleCurrent(received, true);
        rows[0].counters = shown.current15Min;
        rows[0].txRate = RateSince(shown.current15Min.txCells, elapsed15Min, last_.txCells15Min, last_.elapsed15Min);
        rows[0].rxRate = RateSince(shown.current15Min.rxCells, elapsed15Min, last_.rxCells15Min, last_.elapsed15Min);
        rows[4].counters = shown.currentDay;
        rows[4].txRate = RateSince(shown.currentDay.txCells, elapsedDay, last_.txCellsDay, last_.elapsedDay);
        rows[4].rxRate = RateSince(shown.currentDay.rxCells, elapsedDay, last_.rxCellsDay, last_.elapsedDay);
        rows[6].counters = shown.previousDay;
        rows[6].txRate = CellRateKbps(shown.previousDay.txCells, kDaySeconds);
        rows[6].rxRate = CellRateKbps(shown.previousDay.rxCells, kDaySeconds);
        reading = {shown.current15Min.txCells,
                   shown.current15Min.rxCells,
                   shown.currentDay.txCells,
                   shown.currentDay.rxCells,
                   elapsed15Min,
                   elapsedDay};

        const RecordReply<AdslCurrentPmRec> rt =
            requests.Query<AdslCurrentPmRec>(kReqAdslPmRt, neId, WordRecord{port}, options);
        if (!rt.Ok() || rt.records.empty())
            return false;
        const AdslCurrentPmRec remote = PlausibleCurrent(rt.records.front(), true);
        for (auto [row, counters] :
             {std::pair{1, remote.current15Min}, std::pair{5, remote.currentDay}, std::pair{7, remote.previousDay}}) {
            XdslPmCountersRec& shownCounters = rows[static_cast<size_t>(row)].counters;
            shownCounters = {counters.los, counters.es, counters.ses, counters.uas, 0, 0, counters.cvs, 0, 0};
        }

        // A port whose own model is no ADSL port has no block counters.
        if (const uint8_t portClass = EntityProvClass(ne, port); portClass != 0 && portClass != kAdslPortClass)
            return false;
        for (const auto& [code, first] : {std::pair{kReqAdslBlockCo, 0}, std::pair{kReqAdslBlockRt, 1}}) {
            const RecordReply<AdslBlockPmRec> blocks =
                requests.Query<AdslBlockPmRec>(code, neId, WordRecord{port}, options);
            if (!blocks.Ok() || blocks.records.empty())
                return false;
            const AdslBlockPmRec& b = blocks.records.front();
            rows[static_cast<size_t>(first)].blocks = b.current15Min;
            rows[static_cast<size_t>(first + 4)].blocks = b.currentDay;
            rows[static_cast<size_t>(first + 6)].blocks = b.previousDay;
        }
    }

    // The latest stored intervals are the previous 15 minutes, which have no block counters; a port without any
    // leaves those rows as reset, zero blocks included.
    for (const auto& [code, row] : {std::pair{kReqAdslHistoryCo, 2}, std::pair{kReqAdslHistoryRt, 3}}) {
        const RecordReply<XdslPmIntervalRec> intervals =
            requests.Query<XdslPmIntervalRec>(code, neId, AdslHistoryQueryRec{port}, options);
        if (!intervals.Ok())
            return false;
        if (intervals.records.empty())
            continue;
        AdslCurrentPmRow& shown = rows[static_cast<size_t>(row)];
        shown.blocksShown = false;
        const XdslPmIntervalRec interval = PlausibleInterval(intervals.records.front(), row == 2);
        if (row == 2) {
            shown.counters = interval.counters;
            shown.txRate = CellRateKbps(interval.counters.txCells, k15MinSeconds);
            shown.rxRate = CellRateKbps(interval.counters.rxCells, k15MinSeconds);
        } else {
            const XdslPmCountersRec& c = interval.counters;
            shown.counters = {c.los, c.es, c.ses, c.uas, 0, 0, c.cvs, 0, 0};
        }
    }
    last_ = reading;
    if (CPmGraphDlg* graph = LiveGraph())
        FeedGraph(*graph, rows, last_.elapsed15Min, last_.elapsedDay);
    return true;
}

void CAdslCurrentPmDlg::FeedGraph(CPmGraphDlg& graph, const Rows& rows, uint32_t elapsed15Min, uint32_t elapsedDay)
{
    const AdslPmCurrentNumbers numbers{NumbersOf(rows[0]), NumbersOf(rows[1]), NumbersOf(rows[4]), NumbersOf(rows[5])};
    const AdslPmGraphPoints points = feed_.Next(numbers, elapsed15Min, elapsedDay, GraphedRow());
    if (points.clear)
        graph.ClearSeries(false);
    graph.AddPoints(points.values, QString::number(points.elapsed));
}

void CAdslCurrentPmDlg::SetUpGraph(CPmGraphDlg& graph, int row)
{
    SetUpGraphInterval(graph, row);
    const std::string side = LoadString(row % 2 == 1 ? kStrRt : kStrCo);
    const std::string caption =
        windowTitle().toStdString() + " / " + side + " " + PmIntervalName(row / 2).toStdString();
    graph.SetAxisTitles(caption, LoadString(kStrElapsedTimeSeconds), LoadString(kStrCells), LoadString(kStrRateKbps));
    graph.SetSeries(static_cast<uint8_t>(kLiveSeriesFlags.size()), LoadString(kStrLiveCellSeries), kLiveSeriesFlags);
}

int CAdslCurrentPmDlg::OnCommandHook(int id, int code)
{
    if (code == BN_CLICKED && id == kDescriptionButtonId) {
        ShowXdslPmDescription(this);
        return 1;
    }
    return CCurrentPmDlgOf::OnCommandHook(id, code);
}
