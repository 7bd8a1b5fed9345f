// The real program, with its window shown: build/app/tarvik runs as its own process on the X display of this
// benchmark (run it under a virtual one), logged in to the simulated server as an operator does it: a click in the
// login dialog's user name box, the name and the password typed, Enter (xdotool, through the X server's test
// extension). The simulated server and the working directory are the end-to-end harness's (e2e::CProgram, whose own
// in-process program is never started). The program's CPU time and resident memory are read from /proc; its
// NetDrv.log tells a loss of notifications and a re-read of everything, which fail the run, as does any window
// other than the main window and the location indicator (a message box).
//
// BM_ShownLogin: the server serves a made-up network of 10,000 or 20,000 NEs. The time runs from Enter until the
// main window shows; states_applied_ms from then until the program has applied what the server sends after the login
// (nothing left on its way on the connection, and the program's CPU quiet: below a fifth of a core for 300 ms);
// cpu_ms is the program's CPU time from Enter to then; rss_KB_per_ne its resident memory then, over the NEs.
// BM_ShownFlood: 20,000 NEs, the server raises and clears 500 alarms a second (over UDP) for 60 s from the moment
// the main window shows and the login has settled (or 30 s after it showed); cpu_percent is the program's CPU time
// over that minute as a share of one core, server_cpu_percent the server's.
//
//     xvfb-run -a -s '-screen 0 1280x800x24' build/bench/program_window_bench

#include "bench/process_cpu.h"
#include "bench/program_boot.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFloodRate = 500;
constexpr int kFloodSeconds = 60;
// Busy: above a fifth of a core over a sample; settled: 300 ms without a busy sample.
constexpr double kBusyShare = 0.2;
constexpr auto kQuietFor = std::chrono::milliseconds(300);
constexpr auto kSample = std::chrono::milliseconds(20);
// The user name box, as a share of the login dialog's width and height (its centre in the dialog's form).
constexpr double kUserBoxX = 0.64;
constexpr double kUserBoxY = 0.42;
// The main window is the program's window of this name that is wider than any of its boxes.
constexpr int kMainWindowLeastWidth = 600;
// The login dialog shows within this time, else the program is started again, this many times in all.
constexpr int kLoginShowsMs = 60000;
constexpr int kLoginAttempts = 3;

double MsBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

std::string Xdotool(const std::vector<std::string>& args)
{
    std::vector<std::string> command{"/usr/bin/env", "xdotool"};
    command.insert(command.end(), args.begin(), args.end());
    std::string output;
    snmp_test::RunCommand(command, &output);
    return output;
}

struct XWindow {
    std::string id;
    std::string name;
    int width = 0;
    int height = 0;
};

// The program's windows shown now whose name matches `pattern` (a regular expression); their names are asked for
// only `withNames`, which takes a command per window.
std::vector<XWindow> ShownWindows(pid_t pid, const std::string& pattern, bool withNames)
{
    std::vector<XWindow> windows;
    std::istringstream shell(Xdotool({"search", "--onlyvisible", "--pid", std::to_string(pid), "--name", pattern,
                                      "getwindowgeometry", "--shell", "%@"}));
    for (std::string line; std::getline(shell, line);) {
        if (line.starts_with("WINDOW="))
            windows.push_back({line.substr(7), "", 0, 0});
        else if (line.starts_with("WIDTH=") && !windows.empty())
            windows.back().width = std::atoi(line.c_str() + 6);
        else if (line.starts_with("HEIGHT=") && !windows.empty())
            windows.back().height = std::atoi(line.c_str() + 7);
    }
    // The program's hidden helper windows have a size of one pixel.
    std::erase_if(windows, [](const XWindow& window) { return window.width <= 1; });
    for (XWindow& window : windows) {
        if (withNames) {
            const std::string name = Xdotool({"getwindowname", window.id});
            window.name = name.substr(0, name.find('\n'));
        }
    }
    return windows;
}

constexpr char kMainWindowName[] = "^Tarvik$";

bool IsMainWindow(const XWindow& window)
{
    return window.width >= kMainWindowLeastWidth;
}

// Windows that are neither the main window nor the location indicator: boxes and dialogs.
std::vector<std::string> OtherWindows(pid_t pid)
{
    std::vector<std::string> names;
    for (const XWindow& window : ShownWindows(pid, ".", true)) {
        if (!(window.name == "Tarvik" && IsMainWindow(window)) && window.name != "Location Indicator")
            names.push_back(window.name + " (" + std::to_string(window.width) + "x" + std::to_string(window.height) +
                            ")");
    }
    return names;
}

size_t ResidentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:"))
            return static_cast<size_t>(std::strtoull(line.c_str() + 6, nullptr, 10));
    }
    return 0;
}

// Bytes on their way between the server and the workstations: sent by the server and not yet acknowledged, or
// received and not yet read (the program reads its connection as fast as it applies what came).
long BytesInFlight(pid_t pid, uint16_t serverPort)
{
    std::ifstream tcp("/proc/" + std::to_string(pid) + "/net/tcp");
    long bytes = 0;
    std::string line;
    std::getline(tcp, line);
    while (std::getline(tcp, line)) {
        std::istringstream fields(line);
        std::string slot, local, remote, state, queues;
        fields >> slot >> local >> remote >> state >> queues;
        const auto port = [](const std::string& address) {
            return std::strtoul(address.substr(address.find(':') + 1).c_str(), nullptr, 16);
        };
        if (port(local) == serverPort)
            bytes += std::strtol(queues.substr(0, queues.find(':')).c_str(), nullptr, 16);
        if (port(remote) == serverPort)
            bytes += std::strtol(queues.substr(queues.find(':') + 1).c_str(), nullptr, 16);
    }
    return bytes;
}

// The real program in the harness's working directory, on this process's display, its output in program.log there.
class CShownProgram {
public:
    bool Start(const e2e::CProgram& harness)
    {
        const std::string program = (snmp_test::BuildDir() / "app" / "tarvik").string();
        const std::string dir = harness.WorkDir().Path().string();
        // This process draws offscreen; the program draws on the display.
        return child_.Start(
            {"/bin/sh", "-c", "cd '" + dir + "' && exec env -u QT_QPA_PLATFORM '" + program + "' >program.log 2>&1"});
    }
    pid_t Pid() const { return child_.Pid(); }
    // An ended program stays a zombie until it is stopped: that is no longer running.
    bool Running() const
    {
        std::ifstream stat("/proc/" + std::to_string(child_.Pid()) + "/stat");
        std::string pid, name, state;
        return stat >> pid >> name >> state && state != "Z";
    }
    void Stop() { child_.Stop(); }

private:
    snmp_test::CChildProcess child_;
};

// Waits until a window of the program whose name matches `pattern` satisfies `wanted`; false past the bound, or
// as soon as the program has ended.
template <class Wanted>
bool WaitForWindow(const CShownProgram& program, const std::string& pattern, Wanted wanted, XWindow* found, int boundMs)
{
    const pid_t pid = program.Pid();
    const auto deadline = Clock::now() + std::chrono::milliseconds(boundMs);
    while (Clock::now() < deadline && program.Running()) {
        for (const XWindow& window : ShownWindows(pid, pattern, false)) {
            if (wanted(window)) {
                *found = window;
                return true;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

std::string NetDrvLog(const e2e::CProgram& harness)
{
    std::ifstream log(harness.WorkDir().Path() / "NetDrv.log");
    std::stringstream text;
    text << log.rdbuf();
    return text.str();
}

// The first line of the driver log that tells a loss or a re-read; empty when there is none.
std::string LossOrReread(const e2e::CProgram& harness, int* count = nullptr)
{
    std::istringstream lines(NetDrvLog(harness));
    std::string first;
    int found = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.find("read again") != std::string::npos || line.find("read everything") != std::string::npos ||
            line.find("resync") != std::string::npos) {
            if (first.empty())
                first = line;
            ++found;
        }
    }
    if (count != nullptr)
        *count = found;
    return first;
}

struct Login {
    double frameMs = 0;
    double statesMs = 0;
    double cpuMs = 0;
    size_t residentKb = 0;
};

// Starts the simulated server and the program, logs in as admin and waits until the login's states are applied.
// With `settleBoundMs` 0 a login that does not settle within 300 s fails, as does a loss, a re-read or a box;
// otherwise the login is taken as it is after that bound, and the caller looks for them.
std::optional<Login> ShownLogin(benchmark::State& state, e2e::CProgram& harness, CShownProgram& program, uint32_t nes,
                                const std::vector<std::string>& serverArgs = {}, int settleBoundMs = 0)
{
    if (std::getenv("DISPLAY") == nullptr) {
        state.SkipWithError("no display: run it under xvfb-run");
        return std::nullopt;
    }
    if (!harness.StartServer({.args = serverArgs, .generatedNes = nes, .iniExtra = "[PDULOG]\nNETDRVTOFILE=1\n"})) {
        state.SkipWithError("the simulated server did not start");
        return std::nullopt;
    }
    XWindow login;
    const auto loginShown = [&] {
        return WaitForWindow(
            program, "^Login ", [](const XWindow&) { return true; }, &login, kLoginShowsMs);
    };
    // A loaded machine may keep the program from showing its login dialog in time: said, and started again.
    bool loginUp = false;
    for (int attempt = 1; attempt <= kLoginAttempts && !loginUp; ++attempt) {
        if (!program.Start(harness)) {
            state.SkipWithError("the program did not start");
            return std::nullopt;
        }
        // As an operator reads it before typing; the dialog takes its place and size, and fills its boxes, a moment
        // after it first shows.
        loginUp = loginShown();
        if (loginUp) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2000));
            loginUp = loginShown();
        }
        if (!loginUp) {
            // What shows instead, if anything: a box before the login is no matter of a busy machine.
            const std::vector<std::string> shown =
                program.Running() ? OtherWindows(program.Pid()) : std::vector<std::string>{};
            std::fprintf(stderr, "the login dialog did not show (bound %d s, attempt %d of %d)%s%s\n",
                         kLoginShowsMs / 1000, attempt, kLoginAttempts,
                         program.Running() ? ": the machine is busy" : ": the program ended",
                         shown.empty() ? "" : ("; shown: " + shown.front()).c_str());
            if (!program.Running()) {
                std::ifstream log(harness.WorkDir().Path() / "program.log");
                std::fprintf(stderr, "%s", std::string(std::istreambuf_iterator<char>(log), {}).c_str());
            }
            program.Stop();
        }
    }
    if (!loginUp) {
        state.SkipWithError("the login dialog did not show");
        return std::nullopt;
    }
    const pid_t pid = program.Pid();
    Xdotool({"mousemove", "--window", login.id, std::to_string(static_cast<int>(login.width * kUserBoxX)),
             std::to_string(static_cast<int>(login.height * kUserBoxY)), "click", "1"});
    Xdotool({"type", "--delay", "10", "admin"});
    Xdotool({"key", "Tab"});
    Xdotool({"type", "--delay", "10", "admin"});
    const double cpuBefore = bench_cpu::ProcessCpuSeconds(pid);
    const auto entered = Clock::now();
    Xdotool({"key", "Return"});
    XWindow frame;
    if (!WaitForWindow(program, kMainWindowName, IsMainWindow, &frame, 120000)) {
        std::string log = NetDrvLog(harness);
        log = log.substr(log.rfind('\n', log.size() >= 2 ? log.size() - 2 : 0) + 1);
        const std::vector<std::string> others = OtherWindows(pid);
        state.SkipWithError(("the main window did not show: the login failed (" +
                             (others.empty() ? std::string("no window") : others.front()) + "; NetDrv.log: " + log +
                             ")")
                                .c_str());
        return std::nullopt;
    }
    const auto shown = Clock::now();
    // Settled: nothing on its way on the connection, and no busy sample for a while after it; the states were
    // applied by the last busy sample's end. (The program's timers keep it a little busy every second or so.)
    auto lastBusy = shown;
    double cpu = bench_cpu::ProcessCpuSeconds(pid);
    auto sampled = Clock::now();
    while (Clock::now() - lastBusy < kQuietFor || BytesInFlight(pid, harness.PeerPort()) != 0) {
        std::this_thread::sleep_for(kSample);
        const double now = bench_cpu::ProcessCpuSeconds(pid);
        const auto at = Clock::now();
        if (now - cpu > kBusyShare * std::chrono::duration<double>(at - sampled).count())
            lastBusy = at;
        cpu = now;
        sampled = at;
        if (settleBoundMs != 0 && MsBetween(shown, at) > settleBoundMs)
            break;
        if (!program.Running() || MsBetween(shown, at) > 300000) {
            state.SkipWithError("the program ended, or never settled after the login");
            return std::nullopt;
        }
    }
    Login figures;
    figures.frameMs = MsBetween(entered, shown);
    figures.statesMs = MsBetween(shown, lastBusy);
    figures.cpuMs = (bench_cpu::ProcessCpuSeconds(pid) - cpuBefore) * 1000;
    figures.residentKb = ResidentKb(pid);
    // A flood's run tells them at its end, with its figures.
    if (settleBoundMs != 0)
        return figures;
    if (const std::string loss = LossOrReread(harness); !loss.empty()) {
        state.SkipWithError(("notifications were lost or everything read again: " + loss).c_str());
        return std::nullopt;
    }
    if (const std::vector<std::string> others = OtherWindows(pid); !others.empty()) {
        state.SkipWithError(("a window other than the main window shows: " + others.front()).c_str());
        return std::nullopt;
    }
    return figures;
}

void BM_ShownLogin(benchmark::State& state)
{
    const auto nes = static_cast<uint32_t>(state.range(0));
    for (auto _ : state) {
        e2e::CProgram harness;
        CShownProgram program;
        const std::optional<Login> login = ShownLogin(state, harness, program, nes);
        if (!login)
            return;
        state.SetIterationTime(login->frameMs / 1000);
        state.counters["states_applied_ms"] = login->statesMs;
        state.counters["cpu_ms"] = login->cpuMs;
        state.counters["rss_KB_per_ne"] = static_cast<double>(login->residentKb) / static_cast<double>(nes);
    }
}
BENCHMARK(BM_ShownLogin)
    ->ArgName("nes")
    ->Arg(10000)
    ->Arg(20000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_ShownFlood(benchmark::State& state)
{
    const auto nes = static_cast<uint32_t>(state.range(0));
    for (auto _ : state) {
        e2e::CProgram harness;
        CShownProgram program;
        if (!ShownLogin(state, harness, program, nes, {"--alarm-rate", std::to_string(kFloodRate)}, 30000))
            return;
        const pid_t pid = program.Pid();
        const double cpuBefore = bench_cpu::ProcessCpuSeconds(pid);
        const double serverBefore = bench_cpu::ProcessCpuSeconds(harness.ServerPid());
        const auto start = Clock::now();
        std::vector<std::string> boxes;
        while (Clock::now() - start < std::chrono::seconds(kFloodSeconds) && boxes.empty() && program.Running()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            boxes = OtherWindows(pid);
        }
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
        state.counters["cpu_percent"] = 100 * (bench_cpu::ProcessCpuSeconds(pid) - cpuBefore) / seconds;
        state.counters["server_cpu_percent"] =
            100 * (bench_cpu::ProcessCpuSeconds(harness.ServerPid()) - serverBefore) / seconds;
        state.counters["rss_KB_per_ne"] = static_cast<double>(ResidentKb(pid)) / static_cast<double>(nes);
        // The server numbers what it sends: a notification that did not come, or that the program refused, is in
        // its driver log within a second.
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        if (!program.Running()) {
            state.SkipWithError("the program ended under the flood");
            return;
        }
        int lossLines = 0;
        const std::string loss = LossOrReread(harness, &lossLines);
        state.counters["loss_and_reread_lines"] = lossLines;
        // A failed run's counters are not reported: its figures go to the standard error.
        for (const auto& [name, counter] : state.counters)
            std::fprintf(stderr, "%s=%g\n", name.c_str(), counter.value);
        if (!boxes.empty()) {
            state.SkipWithError(("a window opened under the flood: " + boxes.front()).c_str());
            return;
        }
        if (!loss.empty()) {
            state.SkipWithError(("notifications were lost or everything read again: " + loss).c_str());
            return;
        }
    }
}
BENCHMARK(BM_ShownFlood)->ArgName("nes")->Arg(20000)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace
