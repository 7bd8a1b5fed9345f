// The running program's login to a large network: the simulated server serves a made-up network of 1,000, 2,000,
// 5,000, 10,000 or 20,000 NEs (--generate-nes), the operator types admin/admin into the login dialog and clicks
// Login. The time runs from the click until the main window is shown with every NE in its tree and has refreshed
// once; states_applied_ms runs on until the state of every entity, which the server sends once notifications are
// on, has reached the model (a request made then returns after them, since replies keep their place behind
// notifications); cpu_ms is the program's CPU time over that. The memory figure is what the process's resident
// memory grew by over the login, per NE. The last benchmark fits time = c * NEs^k to the medians of the sizes run
// before it and gives each k: 1 is linear.
//
//     build/bench/program_login_bench

#include "bench/program_boot.h"

#include "link/driver_mode.h"
#include "link/driver_result.h"
#include "link/ems_msg.h"
#include "link/net_drv.h"
#include "link/server/net_drv_server_agent.h"
#include "ui/shell/tree/group_tree_item.h"
#include "ui/shell/tree/group_view.h"

#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>
#include <vector>

namespace {

constexpr int kRepetitions = 5;

// A keep-alive through the program's driver; its reply comes after every notification sent before it.
bool RoundTrip()
{
    const uint8_t body = 0;
    EmsMsg request;
    BuildEmsMsg(&request, kEmsOpQuery, kReqKeepAlive, 1, &body, 0);
    EmsMsg* reply = nullptr;
    return GetCurrentDriver().RequestEmsMsg(&request, &reply, 0, CNetDrv::kDefaultTimeout, false) == kDrvOk;
}

int NeItemsInTree(e2e::CProgram& program)
{
    int count = 0;
    for (QTreeWidgetItemIterator it(program.Tree().Tree()); *it != nullptr; ++it) {
        if (group_item::Kind(*it) == GroupItemKind::Ne)
            ++count;
    }
    return count;
}

struct LoginFigures {
    std::vector<double> frameMs;
    std::vector<double> statesMs;
};

// What each size's runs measured, for the growth.
std::map<uint32_t, LoginFigures>& Measured()
{
    static std::map<uint32_t, LoginFigures> measured;
    return measured;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// The least-squares slope of log(time) over log(NEs).
double GrowthExponent(std::vector<double> LoginFigures::*figure)
{
    double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const auto& [nes, figures] : Measured()) {
        const double x = std::log(static_cast<double>(nes));
        const double y = std::log(Median(figures.*figure));
        n += 1;
        sx += x;
        sy += y;
        sxx += x * x;
        sxy += x * y;
    }
    const double spread = n * sxx - sx * sx;
    return n < 2 || spread == 0 ? 0 : (n * sxy - sx * sy) / spread;
}

void BM_LoginToFrame(benchmark::State& state)
{
    const auto nes = static_cast<uint32_t>(state.range(0));
    for (auto _ : state) {
        e2e::CProgram program;
        e2e::PeerOptions network;
        network.generatedNes = nes;
        if (!program.StartServer(network)) {
            state.SkipWithError("the simulated server did not start");
            return;
        }
        const size_t residentBefore = program_boot::ResidentBytes();
        const double cpuBefore = program_boot::ProcessCpuSeconds();
        const std::optional<double> seconds = program_boot::TimedLogin(program, "admin", "admin");
        if (!seconds) {
            state.SkipWithError("the program could not log in to the simulated server");
            return;
        }
        const auto shown = std::chrono::steady_clock::now();
        if (!RoundTrip()) {
            state.SkipWithError("no request after the login");
            return;
        }
        const double statesSeconds =
            *seconds + std::chrono::duration<double>(std::chrono::steady_clock::now() - shown).count();
        const double cpuSeconds = program_boot::ProcessCpuSeconds() - cpuBefore;
        const size_t residentAfter = program_boot::ResidentBytes();
        if (NeItemsInTree(program) != static_cast<int>(nes)) {
            state.SkipWithError("the tree does not show every NE");
            return;
        }
        const auto* driver = dynamic_cast<const CNetDrvServerAgent*>(&GetCurrentDriver());
        if (driver == nullptr || driver->GetNotificationCounters().refused != 0) {
            state.SkipWithError("states were refused on their way: the login read them again");
            return;
        }
        state.SetIterationTime(*seconds);
        state.counters["states_applied_ms"] = statesSeconds * 1000;
        state.counters["cpu_ms"] = cpuSeconds * 1000;
        state.counters["rss_growth_KB_per_ne"] =
            static_cast<double>(residentAfter - residentBefore) / 1024.0 / static_cast<double>(nes);
        Measured()[nes].frameMs.push_back(*seconds * 1000);
        Measured()[nes].statesMs.push_back(statesSeconds * 1000);
    }
}
BENCHMARK(BM_LoginToFrame)
    ->ArgName("nes")
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Iterations(1)
    ->Repetitions(kRepetitions)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_LoginGrowth(benchmark::State& state)
{
    for (auto _ : state) {
    }
    if (Measured().size() < 2) {
        state.SkipWithError("fewer than two sizes ran before");
        return;
    }
    state.counters["frame_exponent"] = GrowthExponent(&LoginFigures::frameMs);
    state.counters["states_exponent"] = GrowthExponent(&LoginFigures::statesMs);
}
BENCHMARK(BM_LoginGrowth)->Iterations(1);

} // namespace
