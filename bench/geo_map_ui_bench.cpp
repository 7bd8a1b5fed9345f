// The geographic map with 2,000 NEs on it: built whole (a location's map shown), with the heap it takes per node;
// painted whole, as the view repaints it when the states of many NEs changed; and refreshed incrementally as the
// frame refreshes it when one NE moved (its record's change counter raised and its new-or-moved mark set) and when
// nothing changed.
//
//     build/bench/geo_map_ui_bench

#include "core/tables/app_data.h"
#include "core/tables/entity_node.h"
#include "core/tables/location_node.h"
#include "core/tables/ne_record.h"
#include "ui/shell/frame/view_host.h"
#include "ui/shell/map/geo_view.h"
#include "ui/shell/map/map_node_item.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QGraphicsView>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <malloc.h>

#include <string>

namespace {

constexpr uint32_t kNeCount = 2000;
constexpr uint32_t kLocationId = 1;

// The frame as far as the map asks of it.
class CBenchHost : public IViewHost {
public:
    void SetCurrentEntity(uint32_t neId, const CEntityIndex* index) override
    {
        neId_ = neId;
        entity_ = CEntityId(index);
    }
    const CEntityId& GetCurrentEntity() override { return entity_; }
    uint32_t GetCurrentNeId() const override { return neId_; }
    void SetCurrentLocation(uint32_t locationId) override { locationId_ = locationId; }
    uint32_t GetCurrentLocationId() const override { return locationId_; }
    void SetKeyText(const std::string& text) override { key_ = text; }
    const std::string& GetKeyText() const override { return key_; }
    void SetActivePane(uint8_t pane) override { pane_ = pane; }
    uint8_t GetActivePane() const override { return pane_; }
    void SelectView(int, int) override {}
    void PostRefreshNow() override {}
    void SetSplitterPaneSize(int, int, int, int) override {}
    void PostFrameCommand(int) override {}
    bool RouteCommand(int) override { return false; }
    QPixmap GetListIcon(int) const override { return icon_; }
    int GetEntityStateIcon(uint32_t neId, int) const override { return static_cast<int>(neId % 3); }
    int GetEntityIcon(uint32_t, int, int) const override { return 0; }
    COLORREF GetTreeTextColor(int) const override { return 0; }
    COLORREF GetEntityTextColor(uint32_t) const override { return 0; }
    COLORREF GetNeTextColor(const CNeRecord*) const override { return 0; }
    int GetNeKeptStateIcon(const CNeRecord& ne) const override { return GetEntityStateIcon(ne.neId, 0); }
    COLORREF GetNeKeptTextColor(const CNeRecord&) const override { return 0; }
    COLORREF GetItemBackColor(bool) const override { return 0xFFFFFF; }
    int GetSelectedKind() const override { return -1; }
    bool IsBlinkPhaseOn() const override { return false; }
    bool GetLocationIndicatorFlag() const override { return false; }
    bool GetPortTipFlag() const override { return false; }
    bool GetFocusFrameFlag() const override { return false; }
    void UpdateLocationIndicator(double, double, int) override {}

private:
    uint32_t neId_ = 0;
    CEntityId entity_;
    uint32_t locationId_ = kLocationId;
    std::string key_;
    uint8_t pane_ = 0;
    QPixmap icon_{16, 16};
};

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
    CBenchHost host;
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
    CBenchHost host;
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
    CBenchHost host;
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

} // namespace
