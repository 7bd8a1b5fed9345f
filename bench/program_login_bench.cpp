// The running program's login to a large network: the simulated server serves a made-up network of 1,000, 2,000,
// 5,000, 10,000 or 20,000 NEs (--generate-nes), the operator types admin/admin into the login dialog and clicks
// Login. The time runs from the click until the main window is shown with every NE in its tree and has refreshed
// once; states_applied_ms runs on until the state of every entity, which the server sends once notifications are
// on, has reached the model (a request made then returns after them, since replies keep their place behind
// notifications); cpu_ms is the program's CPU time over that. The memory figure is what the process's resident
// memory grew by over the login, per NE. The last benchmark fits time = c * NEs^k to the medians of the sizes run
// before it and gives each k: 1 is linear. The last login to 10,000 NEs is made again while 19 other workstations log
// in at the same moment (frame-speaking threads of this benchmark; bench/frame_reading_workstation.h): its figures
// are also given as multiples of the login alone (the medians at 10,000 NEs run before), and others_logged_in_ms and
// others_states_ms are the times of the last of the others.
//
//     build/bench/program_login_bench

#include "bench/frame_reading_workstation.h"
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
#include <latch>
#include <map>
#include <thread>
#include <vector>

namespace {

constexpr int kRepetitions = 5;
constexpr uint32_t kBesideOthersNes = 10000;

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

struct OneLogin {
    double frameSeconds = 0;
    double statesSeconds = 0;
    double cpuSeconds = 0;
    size_t residentGrowth = 0;
};

// The program's login to the running server's `nes` NEs, checked whole; nullopt (and the benchmark skipped) when it
// failed. `atClick` runs just before the click on Login.
std::optional<OneLogin> MeasuredLogin(benchmark::State& state, e2e::CProgram& program, uint32_t nes,
                                      const std::function<void()>& atClick = {})
{
    const size_t residentBefore = program_boot::ResidentBytes();
    const double cpuBefore = program_boot::ProcessCpuSeconds();
    const std::optional<double> seconds = program_boot::TimedLogin(program, "admin", "admin", atClick);
    if (!seconds) {
        state.SkipWithError("the program could not log in to the simulated server");
        return std::nullopt;
    }
    const auto shown = std::chrono::steady_clock::now();
    if (!RoundTrip()) {
        state.SkipWithError("no request after the login");
        return std::nullopt;
    }
    OneLogin login;
    login.frameSeconds = *seconds;
    login.statesSeconds = *seconds + std::chrono::duration<double>(std::chrono::steady_clock::now() - shown).count();
    login.cpuSeconds = program_boot::ProcessCpuSeconds() - cpuBefore;
    login.residentGrowth = program_boot::ResidentBytes() - residentBefore;
    if (NeItemsInTree(program) != static_cast<int>(nes)) {
        state.SkipWithError("the tree does not show every NE");
        return std::nullopt;
    }
    const auto* driver = dynamic_cast<const CNetDrvServerAgent*>(&GetCurrentDriver());
    if (driver == nullptr) {
        state.SkipWithError("no server driver");
        return std::nullopt;
    }
    if (const auto counters = driver->GetNotificationCounters();
        counters.refused != 0 || counters.missing != 0 || counters.resyncs != 0) {
        state.SkipWithError("notifications were refused or lost on their way: the login read everything again");
        return std::nullopt;
    }
    return login;
}

bool StartServerOf(benchmark::State& state, e2e::CProgram& program, uint32_t nes)
{
    e2e::PeerOptions network;
    network.generatedNes = nes;
    if (!program.StartServer(network)) {
        state.SkipWithError("the simulated server did not start");
        return false;
    }
    return true;
}

void BM_LoginToFrame(benchmark::State& state)
{
    const auto nes = static_cast<uint32_t>(state.range(0));
    for (auto _ : state) {
        e2e::CProgram program;
        if (!StartServerOf(state, program, nes))
            return;
        const std::optional<OneLogin> login = MeasuredLogin(state, program, nes);
        if (!login)
            return;
        state.SetIterationTime(login->frameSeconds);
        state.counters["states_applied_ms"] = login->statesSeconds * 1000;
        state.counters["cpu_ms"] = login->cpuSeconds * 1000;
        state.counters["rss_growth_KB_per_ne"] =
            static_cast<double>(login->residentGrowth) / 1024.0 / static_cast<double>(nes);
        Measured()[nes].frameMs.push_back(login->frameSeconds * 1000);
        Measured()[nes].statesMs.push_back(login->statesSeconds * 1000);
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

void BM_LoginBesideOtherWorkstations(benchmark::State& state)
{
    const auto others = static_cast<size_t>(state.range(0));
    for (auto _ : state) {
        e2e::CProgram program;
        if (!StartServerOf(state, program, kBesideOthersNes))
            return;
        std::vector<bench_ws::CFrameReadingWorkstation> workstations(others);
        for (auto& workstation : workstations) {
            if (!workstation.Connect(program.PeerPort())) {
                state.SkipWithError("no connection for another workstation");
                return;
            }
        }
        std::latch go(1);
        bool released = false;
        std::chrono::steady_clock::time_point began;
        std::vector<double> loggedInMs(others);
        std::vector<double> statesMs(others);
        std::vector<char> ok(others);
        std::vector<std::thread> threads;
        for (size_t i = 0; i < others; ++i) {
            threads.emplace_back([&, i] {
                go.wait();
                const auto ms = [&] {
                    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - began).count();
                };
                ok[i] = workstations[i].LogIn();
                loggedInMs[i] = ms();
                ok[i] = ok[i] && workstations[i].ReadTheStates();
                statesMs[i] = ms();
            });
        }
        const std::optional<OneLogin> login = MeasuredLogin(state, program, kBesideOthersNes, [&] {
            began = std::chrono::steady_clock::now();
            released = true;
            go.count_down();
        });
        if (!released)
            go.count_down();
        for (std::thread& thread : threads)
            thread.join();
        if (!login)
            return;
        if (std::count(ok.begin(), ok.end(), 0) != 0) {
            state.SkipWithError("another workstation failed to log in or to read its states");
            return;
        }
        state.SetIterationTime(login->frameSeconds);
        state.counters["states_applied_ms"] = login->statesSeconds * 1000;
        state.counters["others_logged_in_ms"] = *std::max_element(loggedInMs.begin(), loggedInMs.end());
        state.counters["others_states_ms"] = *std::max_element(statesMs.begin(), statesMs.end());
        if (const auto alone = Measured().find(kBesideOthersNes); alone != Measured().end()) {
            state.counters["frame_vs_alone"] = login->frameSeconds * 1000 / Median(alone->second.frameMs);
            state.counters["states_vs_alone"] = login->statesSeconds * 1000 / Median(alone->second.statesMs);
        }
    }
}
BENCHMARK(BM_LoginBesideOtherWorkstations)
    ->ArgName("others")
    ->Arg(19)
    ->Iterations(1)
    ->Repetitions(kRepetitions)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
