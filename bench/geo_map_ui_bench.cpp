// The geographic map with 2,000 NEs on it: built whole (a location's map shown), with the heap it takes per node;
// painted whole, as the view repaints it when the states of many NEs changed; and refreshed incrementally as the
// frame refreshes it when one NE moved (its record's change counter raised and its new-or-moved mark set) and when
// nothing changed. With 20,000 NEs: refreshed after a location was added, after a re-read that found a hundred NEs
// changed, and after an alarm burst of 500 NEs.
//
//     build/bench/geo_map_ui_bench

#include "bench/bench_network.h"
#include "bench/view_bench_host.h"

#include "core/tables/app_data.h"
#include "core/tables/entity_node.h"
#include "core/tables/location_node.h"
#include "core/tables/ne_record.h"
#include "ui/shell/map/geo_view.h"
#include "ui/shell/map/map_node_item.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QGraphicsView>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <malloc.h>

#include <functional>
#include <string>

namespace {

constexpr uint32_t kNeCount = 2000;
constexpr uint32_t kLocationId = 1;

// A location of 2,000 NEs spread over the world map.
void SetUp()
{
    static const bool ready = [] {
        static int argc = 1;
        static char name[] = "geo_map_ui_bench";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
        CLocationNode location;
        location.id = kLocationId;
        location.name = "Everywhere";
        AppData().locations.UpsertLocation(location);
        for (uint32_t i = 1; i <= kNeCount; ++i) {
            CNeRecord ne;
            ne.neId = i;
            ne.locationId = kLocationId;
            ne.name = "ne-" + std::to_string(i);
            ne.address = {10, 1, static_cast<uint8_t>(i >> 8), static_cast<uint8_t>(i)};
            ne.workLongitude = ne.storedLongitude = static_cast<float>(i % 360) - 180.0F;
            ne.workLatitude = ne.storedLatitude = static_cast<float>(i % 170) - 85.0F;
            ne.changeCounter = 1;
            AppData().nes.AddNe(ne);
        }
        return true;
    }();
    (void)ready;
}

void BM_GeoMapBuild2000(benchmark::State& state)
{
    SetUp();
    CBenchViewHost host(kLocationId);
    const size_t heapBefore = mallinfo2().uordblks;
    CGeoView view(host);
    view.resize(920, 700);
    view.show();
    view.OnInitialUpdate();
    // Shown once: the scene's index of the nodes is made for the first paint.
    QCoreApplication::sendPostedEvents();
    QImage image(view.Canvas()->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    {
        QPainter painter(&image);
        view.Canvas()->render(&painter);
    }
    const size_t heapAfter = mallinfo2().uordblks - image.sizeInBytes();
    for (auto _ : state) {
        view.BuildNodes(false);
        // The scene polishes new items when the event loop runs, as it does between two builds in the program.
        QCoreApplication::sendPostedEvents();
    }
    if (view.Nodes().size() != kNeCount)
        state.SkipWithError("not every NE is on the map");
    state.counters["heap_bytes_per_node"] = static_cast<double>(heapAfter - heapBefore) / kNeCount;
}
BENCHMARK(BM_GeoMapBuild2000)->Unit(benchmark::kMillisecond);

void BM_GeoMapPaint2000(benchmark::State& state)
{
    SetUp();
    CBenchViewHost host(kLocationId);
    CGeoView view(host);
    view.resize(920, 700);
    view.show();
    view.OnInitialUpdate();
    QCoreApplication::sendPostedEvents();
    QGraphicsView& canvas = *view.Canvas();
    QImage image(canvas.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        canvas.render(&painter);
    }
    if (view.Nodes().size() != kNeCount)
        state.SkipWithError("not every NE is on the map");
}
BENCHMARK(BM_GeoMapPaint2000)->Unit(benchmark::kMillisecond);

void Refresh(benchmark::State& state, bool moveOne)
{
    SetUp();
    CBenchViewHost host(kLocationId);
    CGeoView view(host);
    view.resize(920, 700);
    view.OnInitialUpdate();
    view.RefreshData();
    uint32_t next = 0;
    for (auto _ : state) {
        if (moveOne) {
            CNeRecord* ne = FindNeById(next++ % kNeCount + 1);
            ne->storedLongitude = ne->workLongitude = -ne->storedLongitude;
            ne->newOrMoved = 1;
            ++ne->changeCounter;
        }
        view.RefreshData();
    }
    if (view.Nodes().size() != kNeCount)
        state.SkipWithError("not every NE is on the map");
}

void BM_GeoMapRefreshOneMoved2000(benchmark::State& state)
{
    Refresh(state, true);
}
BENCHMARK(BM_GeoMapRefreshOneMoved2000)->Unit(benchmark::kMillisecond);

void BM_GeoMapRefreshUnchanged2000(benchmark::State& state)
{
    Refresh(state, false);
}
BENCHMARK(BM_GeoMapRefreshUnchanged2000)->Unit(benchmark::kMillisecond);

// The map of the top location of 20,000 NEs in sites of a hundred (the NEs of the locations below it shown), refreshed
// after a change of the tables. These come last: they replace the tables the benchmarks above share.
void RefreshLarge(benchmark::State& state, const std::function<void(uint32_t)>& change)
{
    SetUp();
    constexpr uint32_t kLargeCount = 20000;
    bench_network::Fill(kLargeCount);
    CBenchViewHost host(bench_network::kTopLocationId);
    CGeoView view(host);
    view.resize(920, 700);
    view.show();
    view.OnInitialUpdate();
    view.RefreshData();
    QCoreApplication::processEvents();
    bench_network::TimeRefreshes(state, change, [&] { view.RefreshData(); });
    if (view.Nodes().size() != kLargeCount)
        state.SkipWithError("not every NE is on the map");
}

void BM_GeoMapRefreshLocationAdded20000(benchmark::State& state)
{
    RefreshLarge(state, [](uint32_t round) { bench_network::AddLocation(100000 + round); });
}
BENCHMARK(BM_GeoMapRefreshLocationAdded20000)->Unit(benchmark::kMillisecond);

void BM_GeoMapRefreshReReadHundredChanged20000(benchmark::State& state)
{
    RefreshLarge(state, [](uint32_t round) { bench_network::ChangeNes(round * 100, 100); });
}
BENCHMARK(BM_GeoMapRefreshReReadHundredChanged20000)->Unit(benchmark::kMillisecond);

void BM_GeoMapRefreshAlarmBurst500_20000(benchmark::State& state)
{
    RefreshLarge(state, [](uint32_t round) { bench_network::RaiseAlarms(round * 500, 500); });
}
BENCHMARK(BM_GeoMapRefreshAlarmBurst500_20000)->Unit(benchmark::kMillisecond);

} // namespace
