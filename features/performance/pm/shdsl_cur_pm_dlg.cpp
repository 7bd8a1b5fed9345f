#include "features/performance/pm/shdsl_cur_pm_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/ne_record.h"
#include "core/tables/ne_table.h"
#include "features/performance/graphs/pm_graph_dlg.h"
#include "features/performance/pm/index_dlg.h"
#include "features/performance/pm/pm_port_target.h"
#include "link/pdu_log.h"
#include "link/record_requests.h"
#include "link/records/shdsl_interval_rec.h"
#include "link/records/shdsl_pm_rec.h"
#include "ui/framework/charts/chart_settings.h"
#include "ui/framework/messages/string_table.h"
#include "ui_shdsl_cur_pm_dlg.h"

#include <QLineEdit>
#include <QStringList>

namespace {

constexpr int kIntervals = 4;
constexpr uint32_t kSideCo = 1;
constexpr uint32_t kSideRt = 2;
const std::vector<int8_t> kLiveSeriesFlags = {1, 1, 1, 1, -1, 2, 2, 2, 2, -2};

QStringList IntervalNames()
{
    QStringList names = LoadQString(kStrPmIntervalNames).split('|');
    while (names.size() < kIntervals)
        names.push_back(QString());
    return names;
}

std::vector<ListColumn<ShdslCurPmRow>> Columns()
{
    using R = ShdslCurPmRow;
    return {
        {.value = [](const R& r) { return ListValue(r.IsRemote() ? "" : IntervalNames()[r.number / 2].toStdString()); },
         .order = ListOrder::kArrival},
        {.value = [](const R& r) { return ListValue(LoadString(r.IsRemote() ? kStrRt : kStrCo)); },
         .order = ListOrder::kArrival},
        {.value = [](const R& r) { return ListValue(r.counters.es); }, .order = ListOrder::kUnsigned},
        {.value = [](const R& r) { return ListValue(r.counters.ses); }, .order = ListOrder::kUnsigned},
        {.value = [](const R& r) { return ListValue(r.counters.uas); }, .order = ListOrder::kUnsigned},
        {.value = [](const R& r) { return ListValue(r.counters.losws); }, .order = ListOrder::kUnsigned},
        {.value = [](const R& r) { return ListValue(r.counters.crc); },
         .order = ListOrder::kUnsigned,
         .widestValue = "4233600"},
    };
}

using Rows = std::array<ShdslCurPmRow, CShdslCurPmDlg::kRowCount>;

Rows ResetRows()
{
    Rows rows;
    for (uint32_t n = 0; n < rows.size(); ++n)
        rows[n].number = n;
    return rows;
}

ShdslPmRowNumbers NumbersOf(const ShdslCurPmRow& row)
{
    const ShdslPmCountersRec& c = row.counters;
    return {c.es, c.ses, c.uas, c.losws, c.crc};
}

} // namespace

CShdslCurPmDlg::CShdslCurPmDlg(QWidget* parent)
    : CLivePmListDlg(kTemplateId, {.popupName = "REFRESH_LIST", .rowCommands = {}, .exportStem = "ShdslPmC"},
                     kRefreshTimer, parent),
      ui_(std::make_unique<Ui::CShdslCurPmDlg>()),
      rows_(*this, Columns(), [](const ShdslCurPmRow& row) { return row.number; })
{
    ui_->setupUi(this);
    SetRecordList(rows_);
    // Each interval's two rows share a colour.
    SetRowColors(
        {{2, 0x000000, Rgb(255, 255, 255)}, {2, 0x000000, Rgb(128, 255, 128)}, {2, 0x000000, Rgb(255, 255, 224)}});
    SetNoSort(true);
}

CShdslCurPmDlg::~CShdslCurPmDlg() = default;

void CShdslCurPmDlg::InitData()
{
    if (!CheckPmPortTargetOrClose(*this, kRightCurrentPm, kShdslPortClass))
        return;
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    InitListColumnsById(kStrColumnsShdslCurrentPm);
    const Rows rows = ResetRows();
    rows_.SetRecords({rows.begin(), rows.end()});
    rows_.ApplyWidthRules(kListControlId);
    InitAutoRefresh();
    Refresh(false);
}

void CShdslCurPmDlg::ShowElapsed(const QString& quarter, const QString& day)
{
    GetDlgItemAs<QLineEdit>(k15MinElapsedId)->setText(quarter);
    GetDlgItemAs<QLineEdit>(kDayElapsedId)->setText(day);
}

bool CShdslCurPmDlg::Refresh(bool automatic)
{
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    if (ne == nullptr)
        return false;
    ShowElapsed({}, {});
    Rows rows = ResetRows();
    // Whatever the refresh came to, the rows show it.
    struct Show {
        CRecordList<ShdslCurPmRow>& list;
        const Rows& rows;
        ~Show()
        {
            for (const ShdslCurPmRow& row : rows)
                list.Put(row);
        }
    } show{rows_, rows};

    const uint32_t port = GetTargetEntity().id;
    if (const uint8_t portClass = EntityProvClass(*ne, port); portClass != 0 && portClass != kShdslPortClass)
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
    const bool day = row >= 4;
    graph.SetChartTitle(ChartTitle(day ? "XDSLCUR1DAY" : "XDSLCUR15MIN"));
    graph.SetMaxPoints(static_cast<uint16_t>(day ? ChartMaxPointsOf("XDSLCUR1DAYPMMAXPOINT", 100, 30000)
                                                 : ChartMaxPointsOf("XDSLCUR15MINPMMAXPOINT", 100, 900)));
    graph.SetAxisTitles(windowTitle().toStdString() + " / " + IntervalNames()[row / 2].toStdString(),
                        LoadString(kStrElapsedTimeSeconds), LoadString(kStrSecondsAxis), LoadString(kStrFrames));
    graph.SetSeries(static_cast<uint8_t>(kLiveSeriesFlags.size()), LoadString(kStrShdslLiveSeries), kLiveSeriesFlags);
}

int CShdslCurPmDlg::OnCommandHook(int id, int code)
{
    if (code == BN_CLICKED && (id == kDescriptionButtonId || id == kDescriptionPopupId)) {
        CIndexDlg legend(this);
        legend.SetCaption(LoadQString(kStrXdslPmDescription));
        legend.SetText(LoadQString(kStrXdslPmLegend));
        legend.DoModal();
        return 1;
    }
    return CLivePmListDlg::OnCommandHook(id, code);
}
