// The PM dialogs at their largest: the live graph of a current-PM dialog fed at the refresh rate for an hour (3,600
// refreshes of its eight series, the chart and its grid kept up to date, at the 15-minute graph's most points and at
// the day graph's, which keeps all of them), and the history PM of one port filled with a year of 15-minute intervals
// of both sides (70,080 rows), sorted by a column, and mapped to the series of its static graph.
//
//     build/bench/pm_ui_bench

#include "core/list/list_sort.h"
#include "features/performance/graphs/graph_mapping.h"
#include "features/performance/graphs/pm_graph_dlg.h"
#include "features/performance/pm/adsl_history_pm_dlg.h"
#include "features/performance/pm/pm_interval_rows.h"
#include "tarvik_test_paths.h"
#include "ui/framework/messages/string_table.h"

#include <benchmark/benchmark.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QTreeView>

#include <chrono>
#include <string>
#include <vector>

namespace {

constexpr int kHourOfRefreshes = 3600;
constexpr uint32_t kYearOfIntervals = 365 * 96;

void SetUp()
{
    static const bool ready = [] {
        static int argc = 1;
        static char name[] = "pm_ui_bench";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
        LoadAppStrings(std::string(TARVIK_RESOURCES_DIR) + "/strings/strings.tsv");
        return true;
    }();
    (void)ready;
}

// An hour of refreshes into a live graph that keeps `maxPoints` a series; the time per refresh.
void BM_LiveGraphHourOfRefreshes(benchmark::State& state)
{
    SetUp();
    const auto maxPoints = static_cast<uint16_t>(state.range(0));
    double feedMs = 0;
    for (auto _ : state) {
        CPmGraphDlg graph;
        graph.SetSeries(8,
                        "TxCells/Total|TxCells/Delta|TxRate/Avg|TxRate/Each|RxCells/Total|RxCells/Delta|"
                        "RxRate/Avg|RxRate/Each",
                        {1, 2, -1, -2, 1, 2, -1, -2});
        graph.SetMaxPoints(maxPoints);
        graph.InitData();
        graph.resize(940, 550);
        graph.show();
        double cells = 0;
        const auto start = std::chrono::steady_clock::now();
        for (int second = 1; second <= kHourOfRefreshes; ++second) {
            cells += 2500 + second % 300;
            graph.AddPoints({cells, 2500, 1000, 1060, cells / 16, 156, 62, 66}, QString::number(second));
            QApplication::processEvents(); // the chart and the grid drawn as they change
        }
        feedMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        benchmark::DoNotOptimize(graph.PointCount(0));
    }
    state.counters["ms_per_refresh"] = feedMs / kHourOfRefreshes / static_cast<double>(state.iterations());
}
BENCHMARK(BM_LiveGraphHourOfRefreshes)->Arg(900)->Arg(30000)->Unit(benchmark::kMillisecond)->Iterations(1);

// A year of one port's intervals, CO then RT, the latest first, as the NE would answer them.
std::vector<XdslPmIntervalRec> YearOfIntervals(bool remote)
{
    std::vector<XdslPmIntervalRec> intervals;
    const uint32_t now = 1796428800;
    for (uint32_t n = 0; n < kYearOfIntervals; ++n) {
        XdslPmIntervalRec rec;
        rec.entityId = 10103;
        rec.intervalId = n + 1;
        rec.createTime = now - n * 900;
        rec.counters.es = (n * 7919) % 13;
        rec.counters.ses = rec.counters.es / 4;
        rec.counters.cvs = rec.counters.es * 40;
        if (!remote) {
            rec.counters.txCells = 1000000 + (n * 104729) % 900000;
            rec.counters.rxCells = rec.counters.txCells / 16;
        }
        intervals.push_back(rec);
    }
    return intervals;
}

void BM_HistoryPmYearOfOnePort(benchmark::State& state)
{
    SetUp();
    const std::vector<XdslPmIntervalRec> co = YearOfIntervals(false);
    const std::vector<XdslPmIntervalRec> rt = YearOfIntervals(true);
    double fillMs = 0;
    double sortMs = 0;
    double mapMs = 0;
    for (auto _ : state) {
        // Made the current dialog, whose lists sort by their columns, without its data load, which would ask an NE
        // for the intervals.
        CAdslHistoryPmDlg history;
        history.Create();
        history.KillTimer(kFirstShowTimer);
        history.InitListColumnsById(kStrColumnsAdslHistoryPm);
        QTreeView& list = *history.FindList(kListControlId);
        const QAbstractItemModel& model = *list.model();
        auto start = std::chrono::steady_clock::now();
        history.ShowIntervals(co, rt);
        QApplication::processEvents();
        auto end = std::chrono::steady_clock::now();
        fillMs += std::chrono::duration<double, std::milli>(end - start).count();

        start = end;
        history.SortList(kPmErroredColumn, kSortDescending);
        QApplication::processEvents();
        end = std::chrono::steady_clock::now();
        if (model.index(0, kPmErroredColumn).data().toInt() != 12)
            state.SkipWithError("the list did not sort by ESs");
        sortMs += std::chrono::duration<double, std::milli>(end - start).count();

        start = end;
        const GraphData data = MapListToGraph(
            {2,
             1,
             1,
             kPmCreateTimeColumn,
             {kPmLossColumn, kPmErroredColumn, kPmSeverelyErroredColumn, kPmUnavailableColumn, -kPmTxCellsColumn,
              -kPmRxCellsColumn, -kPmCodeViolationsColumn, kPmFullInitsColumn, kPmFailedInitsColumn},
             kPmSideColumn,
             {"CO", "RT"}},
            model.rowCount(),
            [&model](int row, int column) { return model.index(row, column).data().toString().toStdString(); });
        end = std::chrono::steady_clock::now();
        mapMs += std::chrono::duration<double, std::milli>(end - start).count();
        benchmark::DoNotOptimize(data.series.size());
        state.counters["rows"] = model.rowCount();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["fill_ms"] = fillMs / n;
    state.counters["sort_ms"] = sortMs / n;
    state.counters["graph_map_ms"] = mapMs / n;
}
BENCHMARK(BM_HistoryPmYearOfOnePort)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
