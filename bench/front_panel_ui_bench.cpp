// The front panel of the largest sample NE: an IPD-48 with both shelves full (forty 48-port line cards, 1,920
// ports), every port alarmed. Composed once in the overview and once per shelf in full, as the Rack view draws it
// into a window of 920 x 700 pixels, and composed again after one port's state changed, which is what each refresh
// of the frame (every second by default, on its 100 ms tick) costs.
//
//     build/bench/front_panel_ui_bench

#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_record.h"
#include "tarvik_test_paths.h"
#include "ui/shell/panel/panel_composer.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>
#include <string>

namespace {

constexpr uint32_t kTwoShelfModel = 4;
constexpr uint32_t kLineCard48 = 31;
constexpr uint32_t kAdslPort = 51;
constexpr int kLineCardSlots = 20;
constexpr int kPorts = 48;
const QSize kWindow{920, 700};

std::string Resource(const std::string& path)
{
    return std::string(TARVIK_RESOURCES_DIR) + "/" + path;
}

bool LoadModels()
{
    static const bool ready = [] {
        static int argc = 1;
        static char name[] = "front_panel_ui_bench";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
        EntityModelLoadResult loaded = LoadEntityModelSet(
            Resource("EntConf/EntInfo.dat"), Resource("EntConf/EntAlm.dat"), Resource("EntConf/EntSkin.dat"));
        if (loaded.models == nullptr) {
            std::fprintf(stderr, "%s\n", loaded.error.c_str());
            return false;
        }
        ReplaceEntityModels(std::move(loaded.models));
        return true;
    }();
    return ready;
}

// Every entity of the NE as the NE reports it: its model's type, connected, and each port alarmed, the severities
// in turn.
void ReportAll(CEntityNode& node, int& count)
{
    if (node.GetLevel() == 3 && node.GetPlannedType() == kEntityTypeUnknown)
        node.SetType(kLineCard48, kLineCard48);
    else if (node.GetType() == kEntityTypeUnknown && node.GetPlannedType() != kEntityTypeUnknown &&
             node.GetPlannedType() != kEntityTypeAbsent)
        node.SetType(node.GetPlannedType(), node.GetPlannedType());
    if (node.GetType() == kEntityTypeAbsent)
        return;
    node.SetStateBits(node.GetLevel() == 4 ? 1u << 2 : 0u);
    if (node.GetLevel() == 4)
        node.severity = static_cast<uint32_t>(count++ % 5) + 1;
    for (int i = 0; i < node.GetChildCount(); ++i)
        ReportAll(*node.GetChild(i), count);
}

CNeRecord& FullNe()
{
    static CNeRecord ne = [] {
        CNeRecord full;
        full.neId = 1;
        full.neModelId = kTwoShelfModel;
        full.BuildEntityTree();
        int ports = 0;
        ReportAll(*full.root, ports);
        return full;
    }();
    return ne;
}

int AlarmedPorts(const CNeRecord& ne)
{
    int count = 0;
    for (int shelf = 0; shelf < 2; ++shelf) {
        for (int slot = 0; slot < kLineCardSlots; ++slot) {
            const CEntityNode* card = ne.root->GetChild(shelf)->GetChild(slot);
            for (int port = 0; card != nullptr && port < card->GetChildCount(); ++port) {
                const CEntityNode* node = card->GetChild(port);
                count += node->GetType() == kAdslPort && node->GetSeverity() != 0 ? 1 : 0;
            }
        }
    }
    return count;
}

void Compose(benchmark::State& state, const CEntityIndex& view, bool detail, bool changeOne)
{
    if (!LoadModels()) {
        state.SkipWithError("the sample models do not load");
        return;
    }
    CNeRecord& ne = FullNe();
    if (AlarmedPorts(ne) != 2 * kLineCardSlots * kPorts) {
        state.SkipWithError("the NE is not full");
        return;
    }
    CPanelComposer composer;
    const PanelScene scene{ne, view, detail, kWindow};
    benchmark::DoNotOptimize(composer.Compose(scene, {})); // the templates are parsed once, before
    CEntityNode& port = *ne.root->FindById(10101);
    uint32_t severity = 1;
    for (auto _ : state) {
        if (changeOne) {
            severity = severity % 5 + 1;
            port.severity = severity;
        }
        benchmark::DoNotOptimize(composer.Compose(scene, {}));
    }
}

void BM_FrontPanelOverviewOfTwoFullShelves(benchmark::State& state)
{
    Compose(state, CEntityIndex::FromLevels(1), false, false);
}
BENCHMARK(BM_FrontPanelOverviewOfTwoFullShelves)->Unit(benchmark::kMillisecond);

void BM_FrontPanelOneFullShelf(benchmark::State& state)
{
    Compose(state, CEntityIndex::FromLevels(1, 1), true, false);
}
BENCHMARK(BM_FrontPanelOneFullShelf)->Unit(benchmark::kMillisecond);

void BM_FrontPanelRedrawAfterOnePortChanged(benchmark::State& state)
{
    Compose(state, CEntityIndex::FromLevels(1), false, true);
}
BENCHMARK(BM_FrontPanelRedrawAfterOnePortChanged)->Unit(benchmark::kMillisecond);

// The hover: the entity under the mouse and the rectangle of its mark, without composing.
void BM_FrontPanelHitTestAPort(benchmark::State& state)
{
    if (!LoadModels()) {
        state.SkipWithError("the sample models do not load");
        return;
    }
    CPanelComposer composer;
    const PanelScene scene{FullNe(), CEntityIndex::FromLevels(1), false, kWindow};
    const DcRect port = composer.GetEntityRect(scene, CEntityIndex::FromLevels(1, 2, 20, 48));
    const QPoint point((port.left + port.right) / 2, (port.top + port.bottom) / 2);
    for (auto _ : state) {
        const CEntityIndex hit = composer.HitTest(scene, point);
        benchmark::DoNotOptimize(composer.GetEntityRect(scene, hit));
    }
}
BENCHMARK(BM_FrontPanelHitTestAPort)->Unit(benchmark::kMicrosecond);

} // namespace
