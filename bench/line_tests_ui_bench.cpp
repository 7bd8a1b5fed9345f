// The per-tone list of the line tests at its largest: 512 tones of an ADSL2+ result, downstream and upstream, filled
// into the page (as a loop diagnosis result fills each of its three tone pages), sorted by the downstream values,
// mapped to the series of its graph, and drawn in the graph dialog with its chart.
//
//     build/bench/line_tests_ui_bench

#include "core/list/list_sort.h"
#include "features/performance/graphs/graph_dlg.h"
#include "features/performance/graphs/graph_mapping.h"
#include "features/performance/line_tests/line_test_protocol.h"
#include "features/performance/line_tests/xdsl_bits_allocation_list_dlg.h"
#include "tarvik_test_paths.h"
#include "ui/framework/messages/string_table.h"

#include <benchmark/benchmark.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QTreeView>

#include <chrono>
#include <cmath>
#include <string>

namespace {

using Tones = CXdslBitsAllocationListDlg;

void SetUp()
{
    static const bool ready = [] {
        static int argc = 1;
        static char name[] = "line_tests_ui_bench";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
        LoadAppStrings(std::string(TARVIK_RESOURCES_DIR) + "/strings/strings.tsv");
        return true;
    }();
    (void)ready;
}

// A magnitude that falls with frequency, in tenths, nothing below the band; a little different each run.
void LoopValues(int run, Tones::Upstream& upstream, Tones::Downstream& downstream)
{
    for (size_t t = 0; t < downstream.size(); ++t) {
        downstream[t] =
            t < 33 ? kToneNotAvailable : -static_cast<int32_t>(std::lround(60 * std::sqrt(t * 0.0043125) * 10)) - run;
    }
    for (size_t t = 0; t < upstream.size(); ++t)
        upstream[t] = t < 6 || t > 31 ? kToneNotAvailable : -static_cast<int32_t>(t * 4) - run;
}

void BM_TonePageFillSortAndGraph(benchmark::State& state)
{
    SetUp();
    Tones page;
    page.SetDisplay(1, "dB");
    page.Create();
    page.KillTimer(kFirstShowTimer);
    page.InitData();
    page.resize(460, 312);
    page.show();
    QTreeView& list = *page.FindList(kListControlId);
    const QAbstractItemModel& model = *list.model();
    double fillMs = 0;
    double sortMs = 0;
    double mapMs = 0;
    double drawMs = 0;
    int run = 0;
    for (auto _ : state) {
        Tones::Upstream upstream;
        Tones::Downstream downstream;
        LoopValues(++run, upstream, downstream);
        page.SortList(Tones::kToneColumn, kSortAscending);
        auto start = std::chrono::steady_clock::now();
        page.SetValues(upstream, downstream);
        page.Relayout();
        QApplication::processEvents();
        auto end = std::chrono::steady_clock::now();
        fillMs += std::chrono::duration<double, std::milli>(end - start).count();

        start = end;
        page.SortList(Tones::kDownstreamColumn, kSortDescending);
        QApplication::processEvents();
        end = std::chrono::steady_clock::now();
        sortMs += std::chrono::duration<double, std::milli>(end - start).count();
        if (model.index(0, Tones::kDownstreamColumn).data().toString() != QStringLiteral("NA"))
            state.SkipWithError("the list did not sort by its downstream values");

        page.SortList(Tones::kToneColumn, kSortAscending);
        start = std::chrono::steady_clock::now();
        const GraphData data = MapListToGraph(
            {1, 1, 1, Tones::kToneColumn, {Tones::kUpstreamColumn, Tones::kDownstreamColumn}, -1, {}}, model.rowCount(),
            [&model](int row, int column) { return model.index(row, column).data().toString().toStdString(); });
        end = std::chrono::steady_clock::now();
        mapMs += std::chrono::duration<double, std::milli>(end - start).count();
        benchmark::DoNotOptimize(data.series.size());

        // The graph dialog as the page opens it: the mapping, the chart's series and its first drawing.
        start = std::chrono::steady_clock::now();
        {
            CGraphDlg graph(&page);
            graph.SetSourceList(1, 1, &list);
            graph.SetSourceColumns(1, Tones::kToneColumn, {Tones::kUpstreamColumn, Tones::kDownstreamColumn});
            graph.Create();
            graph.KillTimer(kFirstShowTimer);
            graph.InitData();
            graph.show();
            QApplication::processEvents();
        }
        end = std::chrono::steady_clock::now();
        drawMs += std::chrono::duration<double, std::milli>(end - start).count();
        state.counters["rows"] = model.rowCount();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["fill_ms"] = fillMs / n;
    state.counters["sort_ms"] = sortMs / n;
    state.counters["graph_map_ms"] = mapMs / n;
    state.counters["graph_dialog_ms"] = drawMs / n;
}
BENCHMARK(BM_TonePageFillSortAndGraph)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace
