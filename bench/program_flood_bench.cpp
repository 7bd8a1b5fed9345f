// The running program under an alarm flood: the simulated server raises and clears 500 alarms a second, the program
// is logged in as an operator's would be (booted and driven as the end-to-end tests do), the file logs are off and
// the PDU log window is hidden (the default) or shown. The network is the tests' world of three NEs, or a made-up one
// of 10,000 or 20,000 NEs (--generate-nes), whose tree the frame keeps coloured. The figures are the CPU time per
// second of wall time of the program (all its threads) and of the server, and the notifications a second the program
// took; a run where the server delivered less than nine tenths of the flood is not a flood and fails.
//
//     build/bench/program_flood_bench

#include "bench/process_cpu.h"
#include "bench/program_boot.h"

#include "link/driver_mode.h"
#include "link/server/net_drv_server_agent.h"
#include "ui/framework/link_ui/pdu_log_dlg.h"
#include "ui/shell/app/ems_app.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

namespace {

using program_boot::ProcessCpuSeconds;
using program_boot::RunProgramFor;

constexpr int kAlarmsPerSecond = 500;
constexpr double kLeastDeliveredShare = 0.9;
constexpr int kWarmUpMs = 2000;
constexpr int kSliceMs = 1000;

// Entity-state records the program has taken from the server's notification datagrams so far.
uint64_t NotificationsTaken()
{
    const auto* driver = dynamic_cast<const CNetDrvServerAgent*>(&GetCurrentDriver());
    return driver == nullptr ? 0 : driver->GetNotificationCounters().records;
}

void BM_ProgramCpuUnderAlarmFlood(benchmark::State& state)
{
    const bool windowShown = state.range(0) != 0;
    const auto nes = static_cast<uint32_t>(state.range(1));
    e2e::CProgram program;
    const std::string pduLog = std::string("[PDULOG]\nPDULOGTOFILE=0\nPDULOGWIN=") + (windowShown ? "1" : "0") + "\n";
    if (!program.StartServer(
            {.args = {"--alarm-rate", std::to_string(kAlarmsPerSecond)}, .generatedNes = nes, .iniExtra = pduLog}) ||
        !program.Login("admin", "admin")) {
        state.SkipWithError("the program could not log in to the simulated server");
        return;
    }
    RunProgramFor(kWarmUpMs);
    const CPduLogDlg* window = program.App().GetPduLogWindow();
    if (window == nullptr || window->isVisible() != windowShown || window->Lines().isEmpty()) {
        state.SkipWithError("the PDU log window is not as asked, or the flood does not reach it");
        return;
    }

    double cpu = 0;
    double serverCpu = 0;
    double wall = 0;
    uint64_t taken = 0;
    for (auto _ : state) {
        const double cpuBefore = ProcessCpuSeconds();
        const double serverBefore = bench_cpu::ProcessCpuSeconds(program.ServerPid());
        const uint64_t takenBefore = NotificationsTaken();
        const auto start = std::chrono::steady_clock::now();
        RunProgramFor(kSliceMs);
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        cpu += ProcessCpuSeconds() - cpuBefore;
        serverCpu += bench_cpu::ProcessCpuSeconds(program.ServerPid()) - serverBefore;
        taken += NotificationsTaken() - takenBefore;
        wall += elapsed;
        state.SetIterationTime(elapsed);
    }
    const double delivered = static_cast<double>(taken) / wall;
    state.counters["cpu_percent"] = 100.0 * cpu / wall;
    state.counters["server_cpu_percent"] = 100.0 * serverCpu / wall;
    state.counters["delivered_per_second"] = delivered;
    if (delivered < kLeastDeliveredShare * kAlarmsPerSecond)
        state.SkipWithError("the server delivered too few notifications for a flood");
    const auto* driver = dynamic_cast<const CNetDrvServerAgent*>(&GetCurrentDriver());
    if (const auto counters = driver != nullptr ? driver->GetNotificationCounters()
                                                : CNetDrvServerAgent::NotificationCounters{};
        counters.refused != 0 || counters.missing != 0 || counters.resyncs != 0) {
        state.counters["resyncs"] = static_cast<double>(counters.resyncs);
        state.SkipWithError("notifications were refused or lost under the flood: everything was read again");
    }
}
BENCHMARK(BM_ProgramCpuUnderAlarmFlood)
    ->ArgNames({"pdu_log_shown", "nes"})
    ->ArgsProduct({{0, 1}, {0, 10000, 20000}})
    ->Iterations(10)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
