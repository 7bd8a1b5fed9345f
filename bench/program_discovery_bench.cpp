// NE auto-discovery of the running program with 5,000 found NEs: the simulated server has found them
// (--generate-found-nes), the operator opens System > Server Management > NE Auto-discovery, and the dialog follows
// the server on its refresh timer (every 5 s, the shortest period) while it pings the found NEs one after another
// (every 100 ms). open_ms is the first fill, refresh_ms and refresh_max_ms a refresh from the timer (both queries and
// the reconciliation of 5,000 rows), stall_max_ms the longest time the event loop did not come round while the dialog
// ran its own timers for 12 seconds (a 1 ms timer measures the gaps).
//
//     build/bench/program_discovery_bench

#include "bench/program_bench_setup.h"
#include "bench/program_boot.h"

#include "features/management/discovery/ne_auto_discovery_dlg.h"
#include "platform/list_control.h"

#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

namespace {

constexpr uint32_t kFoundNes = 5000;
constexpr int kAutoDiscovery = 33067;
constexpr int kRefreshes = 10;
constexpr int kWatchMs = 12000;

using program_boot::Clock;
using program_boot::MsSince;

void BM_DiscoveryOf5000FoundNes(benchmark::State& state)
{
    e2e::CProgram program;
    e2e::PeerOptions options;
    options.args = {"--generate-found-nes", std::to_string(kFoundNes)};
    options.iniExtra = "[DIALOG]\nAUTODISCOVERYREFRESHTIME=5000\nAUTODISCOVERYPINGTIME=100\n";
    if (!program_boot::StartAndLogIn(program, state, options))
        return;
    double refreshMs = 0;
    double refreshMaxMs = 0;
    double stallMaxMs = 0;
    for (auto _ : state) {
        int rows = 0;
        Clock::time_point opened;
        program.Operator().OnDialog<CNeAutoDiscoveryDlg>([&](CNeAutoDiscoveryDlg& dialog) {
            state.SetIterationTime(MsSince(opened) / 1000.0);
            rows = CListControl(dialog.FindList(CNeAutoDiscoveryDlg::kFoundListId)).GetItemCount();
            for (int i = 0; i < kRefreshes; ++i) {
                const auto start = Clock::now();
                dialog.OnTimer(CNeAutoDiscoveryDlg::kRefreshTimer);
                const double ms = MsSince(start);
                refreshMs += ms / kRefreshes;
                refreshMaxMs = std::max(refreshMaxMs, ms);
            }
            QTimer watch;
            watch.setTimerType(Qt::PreciseTimer);
            Clock::time_point last = Clock::now();
            QObject::connect(&watch, &QTimer::timeout, [&] {
                stallMaxMs = std::max(stallMaxMs, MsSince(last) - 1.0);
                last = Clock::now();
            });
            watch.start(1);
            program_boot::RunProgramFor(kWatchMs);
            return IDCANCEL;
        });
        opened = Clock::now();
        program.Command(kAutoDiscovery);
        if (rows != static_cast<int>(kFoundNes)) {
            state.SkipWithError("the dialog does not list every found NE");
            return;
        }
    }
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["refresh_ms"] = refreshMs / iterations;
    state.counters["refresh_max_ms"] = refreshMaxMs;
    state.counters["stall_max_ms"] = stallMaxMs;
}
BENCHMARK(BM_DiscoveryOf5000FoundNes)->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
