// The location tree with 20,000 NEs in sites of a hundred, shown in a pane of the frame's size: built whole, and
// refreshed as the frame refreshes it after a change of the tables: one NE renamed, a re-read that found a hundred
// NEs changed, a location added, an alarm burst of 500 NEs and nothing at all. Each refresh is timed with the
// layout the view makes of it before it paints.
//
//     build/bench/group_view_ui_bench

#include "bench/bench_network.h"
#include "bench/view_bench_host.h"

#include "ui/shell/tree/group_view.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTreeWidget>

#include <functional>
#include <string>

namespace {

constexpr uint32_t kNeCount = 20000;

void SetUp()
{
    static const bool ready = [] {
        static int argc = 1;
        static char name[] = "group_view_ui_bench";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
        return true;
    }();
    (void)ready;
    bench_network::Fill(kNeCount);
}

// The view as the frame shows it, with a site's NEs open and one of them selected.
struct ShownTree {
    CBenchViewHost host;
    CGroupView view{host};

    ShownTree()
    {
        view.resize(250, 600);
        view.show();
        view.OnInitialUpdate();
        host.SetActivePane(kTreePane);
        if (QTreeWidgetItem* ne = view.FindTreeItem({GroupItemKind::Ne, 150, 0, {}}))
            view.Tree()->setCurrentItem(ne);
        QCoreApplication::processEvents();
    }
};

void Refresh(benchmark::State& state, const std::function<void(uint32_t)>& change)
{
    SetUp();
    ShownTree shown;
    bench_network::TimeRefreshes(state, change, [&] { shown.view.RefreshData(); });
    if (shown.view.FindTreeItem({GroupItemKind::Ne, kNeCount, 0, {}}) == nullptr)
        state.SkipWithError("the tree does not show every NE");
}

void BM_TreeBuild20000(benchmark::State& state)
{
    SetUp();
    ShownTree shown;
    for (auto _ : state) {
        shown.view.BuildTree();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_TreeBuild20000)->Unit(benchmark::kMillisecond);

void BM_TreeRefreshOneNeRenamed20000(benchmark::State& state)
{
    Refresh(state, [](uint32_t round) {
        CAppData& app = AppData();
        const uint32_t id = round % kNeCount + 1;
        app.nes.RenameNe(id, "renamed-" + std::to_string(round));
        ++app.nes.FindNeById(id)->changeCounter;
        app.neNamesChanged = true;
        app.MarkNeListChanged();
    });
}
BENCHMARK(BM_TreeRefreshOneNeRenamed20000)->Unit(benchmark::kMillisecond);

void BM_TreeRefreshReReadHundredChanged20000(benchmark::State& state)
{
    Refresh(state, [](uint32_t round) { bench_network::ChangeNes(round * 100, 100); });
}
BENCHMARK(BM_TreeRefreshReReadHundredChanged20000)->Unit(benchmark::kMillisecond);

void BM_TreeRefreshLocationAdded20000(benchmark::State& state)
{
    Refresh(state, [](uint32_t round) { bench_network::AddLocation(100000 + round); });
}
BENCHMARK(BM_TreeRefreshLocationAdded20000)->Unit(benchmark::kMillisecond);

void BM_TreeRefreshAlarmBurst500_20000(benchmark::State& state)
{
    Refresh(state, [](uint32_t round) { bench_network::RaiseAlarms(round * 500, 500); });
}
BENCHMARK(BM_TreeRefreshAlarmBurst500_20000)->Unit(benchmark::kMillisecond);

void BM_TreeRefreshUnchanged20000(benchmark::State& state)
{
    Refresh(state, [](uint32_t) {});
}
BENCHMARK(BM_TreeRefreshUnchanged20000)->Unit(benchmark::kMillisecond);

} // namespace
