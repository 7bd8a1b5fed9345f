// The simulated server with many workstations: 1, 2, 5, 10 and 20 workstations log in as admin at once to a made-up
// network of 10,000 NEs (--generate-nes), each as the program does (logon, the tables, notifications on) and then
// reads the state of every entity that follows, up to the answer of a keep-alive sent behind it; 20 also while the
// server raises and clears 500 alarms a second. Each workstation is
// a thread of this benchmark speaking frames; it takes what it reads as far as the frames' headers.
// Figures: the time until the last workstation is logged in (logged_in_ms) and until the last has every state
// (states_ms), each also as a multiple of one workstation's (run before in the same process), and the server's CPU
// time over the run, with the part of it spent in the kernel.
//
//     build/bench/sim_server_bench

#include "bench/frame_reading_workstation.h"
#include "bench/process_cpu.h"
#include "tests/link/server_sim_harness.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <barrier>
#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr uint32_t kNes = 10000;

using CWorkstation = bench_ws::CFrameReadingWorkstation;

struct RunFigures {
    double loggedInMs = 0;
    double statesMs = 0;
};

// The figures of one workstation, for the multiples of the larger runs.
std::optional<RunFigures>& OneWorkstation()
{
    static std::optional<RunFigures> figures;
    return figures;
}

void BM_WorkstationsLoggingInAtOnce(benchmark::State& state)
{
    const auto count = static_cast<size_t>(state.range(0));
    const auto alarmRate = state.range(1);
    server_test::CSimServerProcess server;
    if (!server.Start({"--generate-nes", std::to_string(kNes), "--alarm-rate", std::to_string(alarmRate)})) {
        state.SkipWithError("the simulated server did not start");
        return;
    }
    std::vector<CWorkstation> workstations(count);
    for (CWorkstation& workstation : workstations) {
        if (!workstation.Connect(server.Port())) {
            state.SkipWithError("no connection");
            return;
        }
    }
    RunFigures figures;
    bench_cpu::CpuSeconds serverCpu;
    bool failed = false;
    for (auto _ : state) {
        std::vector<double> loggedInMs(count);
        std::vector<double> statesMs(count);
        std::vector<char> ok(count);
        std::barrier start(static_cast<std::ptrdiff_t>(count) + 1);
        Clock::time_point began;
        std::vector<std::thread> threads;
        for (size_t i = 0; i < count; ++i) {
            threads.emplace_back([&, i] {
                start.arrive_and_wait();
                const auto ms = [&] { return std::chrono::duration<double, std::milli>(Clock::now() - began).count(); };
                ok[i] = workstations[i].LogIn();
                loggedInMs[i] = ms();
                ok[i] = ok[i] && workstations[i].ReadTheStates();
                statesMs[i] = ms();
            });
        }
        const bench_cpu::CpuSeconds cpuBefore = bench_cpu::ProcessCpuSplit(server.Pid());
        began = Clock::now();
        start.arrive_and_wait();
        for (std::thread& thread : threads)
            thread.join();
        const bench_cpu::CpuSeconds cpuAfter = bench_cpu::ProcessCpuSplit(server.Pid());
        serverCpu = {cpuAfter.user - cpuBefore.user, cpuAfter.system - cpuBefore.system};
        for (size_t i = 0; i < count; ++i) {
            failed = failed || ok[i] == 0 || workstations[i].StatesRead() == 0;
            figures.loggedInMs = std::max(figures.loggedInMs, loggedInMs[i]);
            figures.statesMs = std::max(figures.statesMs, statesMs[i]);
        }
        state.SetIterationTime(figures.loggedInMs / 1000);
    }
    if (failed) {
        state.SkipWithError("a workstation failed to log in or got no states");
        return;
    }
    state.counters["logged_in_ms"] = figures.loggedInMs;
    state.counters["states_ms"] = figures.statesMs;
    state.counters["server_cpu_ms"] = (serverCpu.user + serverCpu.system) * 1000;
    state.counters["server_system_ms"] = serverCpu.system * 1000;
    state.counters["states_per_workstation"] = static_cast<double>(workstations.front().StatesRead());
    if (count == 1 && alarmRate == 0) {
        OneWorkstation() = figures;
    } else if (const std::optional<RunFigures>& one = OneWorkstation()) {
        state.counters["logged_in_vs_one"] = figures.loggedInMs / one->loggedInMs;
        state.counters["states_vs_one"] = figures.statesMs / one->statesMs;
    }
}
BENCHMARK(BM_WorkstationsLoggingInAtOnce)
    ->ArgNames({"workstations", "alarms_per_second"})
    ->Args({1, 0})
    ->Args({2, 0})
    ->Args({5, 0})
    ->Args({10, 0})
    ->Args({20, 0})
    ->Args({20, 500})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
