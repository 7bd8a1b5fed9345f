// The running program under an alarm flood: the simulated server raises and clears 500 alarms a second, the program
// is logged in as an operator's would be (booted and driven as the end-to-end tests do), the file logs are off and
// the PDU log window is hidden (the default) or shown. The network is the tests' world of three NEs, or a made-up one
// of 10,000 NEs (--generate-nes), whose tree the frame keeps coloured. The figure is the program's own CPU time, all
// its threads, per second of wall time; the server is another process and not counted.
//
//     build/bench/program_flood_bench

#include "bench/program_boot.h"

#include "ui/framework/link_ui/pdu_log_dlg.h"
#include "ui/shell/app/ems_app.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

namespace {

using program_boot::ProcessCpuSeconds;
using program_boot::RunProgramFor;

constexpr int kAlarmsPerSecond = 500;
constexpr int kWarmUpMs = 2000;
constexpr int kSliceMs = 1000;

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
    double wall = 0;
    for (auto _ : state) {
        const double cpuBefore = ProcessCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        RunProgramFor(kSliceMs);
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        cpu += ProcessCpuSeconds() - cpuBefore;
        wall += elapsed;
        state.SetIterationTime(elapsed);
    }
    state.counters["cpu_percent"] = 100.0 * cpu / wall;
}
BENCHMARK(BM_ProgramCpuUnderAlarmFlood)
    ->ArgNames({"pdu_log_shown", "nes"})
    ->ArgsProduct({{0, 1}, {0, 10000}})
    ->Iterations(10)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
