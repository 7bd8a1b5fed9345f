// The running program under an alarm flood: the simulated server raises and clears 500 alarms a second, the program
// is logged in as an operator's would be (booted and driven as the end-to-end tests do), the file logs are off and
// the PDU log window is hidden (the default) or shown. The figure is the program's own CPU time, all its threads,
// per second of wall time; the server is another process and not counted.
//
//     build/bench/program_flood_bench

#include "tests/e2e/support/e2e_harness.h"

#include "ui/framework/link_ui/pdu_log_dlg.h"
#include "ui/shell/app/ems_app.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

constexpr int kAlarmsPerSecond = 500;
constexpr int kWarmUpMs = 2000;
constexpr int kSliceMs = 1000;

double ProcessCpuSeconds()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The program's own event loop, for a while.
void RunProgramFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void BM_ProgramCpuUnderAlarmFlood(benchmark::State& state)
{
    const bool windowShown = state.range(0) != 0;
    e2e::CProgram program;
    const std::string pduLog = std::string("[PDULOG]\nPDULOGTOFILE=0\nPDULOGWIN=") + (windowShown ? "1" : "0") + "\n";
    if (!program.StartServer({.args = {"--alarm-rate", std::to_string(kAlarmsPerSecond)}, .iniExtra = pduLog}) ||
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
    ->ArgName("pdu_log_shown")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(10)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
