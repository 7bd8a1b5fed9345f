// The running program's login to a large network: the simulated server serves a made-up network of 2,000 or 10,000
// NEs (--generate-nes), the operator types admin/admin into the login dialog and clicks Login. The time runs from the
// click until the main window is shown with every NE in its tree and has refreshed once; states_applied_ms runs on
// until the state of every entity, which the server sends once notifications are on, has reached the model (a
// request made then returns after them, since replies keep their place behind notifications). The memory figure is
// what the process's resident memory grew by over the login.
//
//     build/bench/program_login_bench

#include "bench/program_boot.h"

#include "link/driver_mode.h"
#include "link/driver_result.h"
#include "link/ems_msg.h"
#include "link/net_drv.h"
#include "ui/shell/tree/group_tree_item.h"
#include "ui/shell/tree/group_view.h"

#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

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
        const size_t residentAfter = program_boot::ResidentBytes();
        if (NeItemsInTree(program) != static_cast<int>(nes)) {
            state.SkipWithError("the tree does not show every NE");
            return;
        }
        state.SetIterationTime(*seconds);
        state.counters["states_applied_ms"] = statesSeconds * 1000;
        state.counters["rss_growth_MB"] = static_cast<double>(residentAfter - residentBefore) / (1024.0 * 1024.0);
    }
}
BENCHMARK(BM_LoginToFrame)
    ->ArgName("nes")
    ->Arg(2000)
    ->Arg(10000)
    ->Iterations(1)
    ->Repetitions(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
