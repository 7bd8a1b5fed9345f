// The live trap log view with 20,000 rows: opening it on a full trap log of 20,000 records (the fill: the first pull,
// the first sort and the first step of the layout, then the list drawn once; layout_step_ms is the longest of the
// layout's later steps, which measure the other rows, and layout_done_ms the time until they have all been measured), one refresh that shows 100 new records in
// place of the 100 oldest (drawn once), a sort by severity, and the heap the view holds per row once it is filled
// (bytes_per_row: the heap in use after the fill less before it, over the rows; the trap log itself is there before)
// beside the heap the trap log holds per record with the texts of its row (ring_bytes_per_record).
//
//     build/bench/trap_log_view_ui_bench

#include "core/config/app_settings.h"
#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/trap_log_ring.h"
#include "bench/list_steps.h"
#include "core/tables/user_account.h"
#include "features/fault/trap_log/trap_log_view.h"
#include "platform/list_control.h"
#include "tarvik_test_paths.h"
#include "ui/framework/messages/string_table.h"
#include "ui/framework/views/form_view.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>

#include <malloc.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kRows = 20000;
constexpr uint32_t kNeCount = 200;
constexpr uint32_t kLocationCount = 20;
constexpr uint32_t kRefreshRecords = 100;
constexpr uint32_t kTwoShelfModel = 4;

std::string Resource(const std::string& path)
{
    return std::string(TARVIK_RESOURCES_DIR) + "/" + path;
}

// The program's strings and sample models, a network of 200 NEs in 20 locations and an operator who may see alarms;
// once.
bool SetUp()
{
    static const bool ready = [] {
        static int argc = 1;
        static char name[] = "trap_log_view_ui_bench";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
        LoadAppStrings(Resource("strings/strings.tsv"));
        EntityModelLoadResult loaded = LoadEntityModelSet(
            Resource("EntConf/EntInfo.dat"), Resource("EntConf/EntAlm.dat"), Resource("EntConf/EntSkin.dat"));
        if (loaded.models == nullptr) {
            std::fprintf(stderr, "%s\n", loaded.error.c_str());
            return false;
        }
        ReplaceEntityModels(std::move(loaded.models));
        for (uint32_t i = 1; i <= kLocationCount; ++i) {
            CLocationNode node;
            node.id = i;
            node.name = "location-" + std::to_string(i);
            AppData().locations.UpsertLocation(node);
        }
        for (uint32_t i = 1; i <= kNeCount; ++i) {
            CNeRecord ne;
            ne.neId = i;
            ne.locationId = i % kLocationCount + 1;
            ne.name = "ne-" + std::to_string(i);
            ne.address = {10, 0, static_cast<uint8_t>(i >> 8), static_cast<uint8_t>(i)};
            ne.neModelId = kTwoShelfModel;
            AppData().nes.AddNe(ne);
        }
        SetUserRights(kRoleUser, "qqqqqqqqqq");
        AppData().role = kRoleUser;
        AppSettings().trapLogFilter = TrapLogFilter{0, 0, 0, 0xFF};
        AppSettings().trapLogSize = kRows;
        return true;
    }();
    return ready;
}

// Port alarms of every severity and cleared states, from NE after NE.
void LogRecords(uint32_t count)
{
    static uint32_t next = 0;
    for (uint32_t i = 0; i < count; ++i, ++next) {
        TrapLogRecord record;
        record.entityId = 12101 + next % 2;
        record.plannedType = 50;
        record.onlineType = 50;
        record.alarmBits = next % 7 == 0 ? 0 : 1u << (next % 3);
        record.severity = static_cast<int32_t>(next % 5) + 1;
        record.occurTime = 1700000000 + next;
        record.receiveTime = 1700000001 + next;
        record.alarmClass = next % 4;
        AppTrapLog().AddTrapLogRecords(next % kNeCount + 1, &record, 1);
    }
}

// The heap in use, in bytes.
size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

int RowCount(const CTrapLogView& view)
{
    return CListControl(view.FindList(kListControlId)).GetItemCount();
}

// What the operator waits for once the view shows: the list drawn with the rows in view.
void DrawList(CTrapLogView& view)
{
    benchmark::DoNotOptimize(view.FindList(kListControlId)->grab());
}

std::unique_ptr<CTrapLogView> OpenView()
{
    auto view = std::make_unique<CTrapLogView>();
    view->resize(1200, 700);
    view->show();
    view->OnInitialUpdate();
    view->OnFirstShow();
    SetActiveFormView(view.get());
    DrawList(*view);
    return view;
}

bool Ready(benchmark::State& state)
{
    if (!SetUp()) {
        state.SkipWithError("the sample models do not load");
        return false;
    }
    AppTrapLog().ReleaseTrapLog();
    const size_t empty = HeapInUse();
    AppTrapLog().ResetTrapLog(kRows);
    LogRecords(kRows);
    state.counters["ring_bytes_per_record"] = (static_cast<double>(HeapInUse()) - static_cast<double>(empty)) / kRows;
    // Caches of fonts and images are filled by a first view, so that they do not count as the rows' memory.
    OpenView();
    SetActiveFormView(nullptr);
    return true;
}

void BM_TrapLogViewFill20000(benchmark::State& state)
{
    if (!Ready(state))
        return;
    double bytesPerRow = 0;
    double longestStepMs = 0;
    double layoutDoneMs = 0;
    for (auto _ : state) {
        const size_t before = HeapInUse();
        std::unique_ptr<CTrapLogView> view = OpenView();
        state.PauseTiming();
        if (RowCount(*view) != static_cast<int>(kRows)) {
            state.SkipWithError("the view does not show every record");
            return;
        }
        bytesPerRow = (static_cast<double>(HeapInUse()) - static_cast<double>(before)) / kRows;
        const list_steps::Steps steps = list_steps::RunLayoutSteps(*view->FindList(kListControlId));
        longestStepMs = std::max(longestStepMs, steps.longestMs);
        layoutDoneMs += steps.doneMs;
        SetActiveFormView(nullptr);
        view.reset();
        state.ResumeTiming();
    }
    state.counters["bytes_per_row"] = bytesPerRow;
    state.counters["layout_step_ms"] = longestStepMs;
    state.counters["layout_done_ms"] = layoutDoneMs / static_cast<double>(state.iterations());
}
BENCHMARK(BM_TrapLogViewFill20000)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_TrapLogViewRefresh100Of20000(benchmark::State& state)
{
    if (!Ready(state))
        return;
    std::unique_ptr<CTrapLogView> view = OpenView();
    for (auto _ : state) {
        state.PauseTiming();
        LogRecords(kRefreshRecords);
        const uint32_t last = view->GetLastShown();
        state.ResumeTiming();
        view->RefreshData();
        DrawList(*view);
        state.PauseTiming();
        if (view->GetLastShown() != last + kRefreshRecords || RowCount(*view) != static_cast<int>(kRows)) {
            state.SkipWithError("the refresh did not show the new records in place of the oldest");
            return;
        }
        state.ResumeTiming();
    }
    SetActiveFormView(nullptr);
}
BENCHMARK(BM_TrapLogViewRefresh100Of20000)->Unit(benchmark::kMillisecond)->Iterations(20);

// A header click on Severity: 20,000 rows sorted by severity, equal ones by location, NE, entity and arrival.
void BM_TrapLogViewSortBySeverity20000(benchmark::State& state)
{
    if (!Ready(state))
        return;
    std::unique_ptr<CTrapLogView> view = OpenView();
    for (auto _ : state) {
        view->SortList(1, kSortToggle);
        DrawList(*view);
    }
    SetActiveFormView(nullptr);
}
BENCHMARK(BM_TrapLogViewSortBySeverity20000)->Unit(benchmark::kMillisecond)->Iterations(4);

} // namespace
