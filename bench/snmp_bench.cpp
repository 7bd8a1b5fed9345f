// Benchmarks of the direct link, each run once with its figures as counters:
//  - walking the 10,000-entry alarm log of the simulated NE (7 columns) with our GETBULK walker, and the same
//    subtree with net-snmp's snmpbulkwalk (compare the wall times);
//  - a burst of 10,000 v2c notifications on loopback taken by our receiver and by snmptrapd (received counts and
//    rates); for ours, what the socket delivered and what the kernel dropped are counted too;
//  - 5,000 community rows created one SET (createAndGo) each in the simulated NE, with the CPU time the agent
//    spent on them.

#include "link/driver_result.h"
#include "link/records/entity_state_rec.h"
#include "link/records/request_codes.h"
#include "link/snmp/snmp_request_map.h"
#include "link/snmp/snmp_table_walker.h"
#include "link/snmp/snmp_trap.h"
#include "link/snmp/snmp_trap_receiver.h"
#include "tests/link/snmp_test_support.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace {

using Clock = std::chrono::steady_clock;

constexpr uint32_t kLogRows = 10000;
constexpr int kBurst = 10000;

std::filesystem::path WorkDir()
{
    auto dir = std::filesystem::temp_directory_path() / ("tarvik_snmp_bench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir;
}

bool StartBigAgent(snmp_test::CAgentProcess& agent)
{
    auto ini = WorkDir() / "big_log.ini";
    std::ofstream(ini) << "[AGENT]\nSNMPVERSION=1\nALARMLOGROWS=" << kLogRows << "\n";
    return agent.Start({"--scenario", ini.string()});
}

void BM_WalkAlarmLogOurWalker(benchmark::State& state)
{
    snmp_test::CAgentProcess agent;
    if (!StartBigAgent(agent)) {
        state.SkipWithError("agent did not start");
        return;
    }
    const SnmpRequestEntry& log = *DefaultSnmpRequestMap().Find(kReqAlarmEvent);
    std::vector<CSnmpOid> columns;
    for (const SnmpColumnDef& column : log.columns)
        columns.push_back(log.ColumnOid(column));
    CSnmpSession session;
    SnmpSessionConfig config;
    config.agent = agent.Endpoint();
    config.community = "public";
    config.version = SnmpVersion::V2c;
    session.Open(config);
    size_t rows = 0;
    SnmpWalkStats stats;
    for (auto _ : state) {
        SnmpWalkOptions options;
        options.useBulk = true;
        std::vector<SnmpWalkRow> result;
        // The figures of one walk: the walker adds to what it is given.
        stats = SnmpWalkStats{};
        if (WalkSnmpTable(session, columns, options, &result, &stats) != kDrvOk)
            state.SkipWithError("walk failed");
        rows = result.size();
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["varbinds"] = static_cast<double>(rows * columns.size());
    state.counters["requests"] = stats.requests;
}

void BM_WalkAlarmLogSnmpbulkwalk(benchmark::State& state)
{
    if (!snmp_test::ToolExists("/usr/bin/snmpbulkwalk")) {
        state.SkipWithError("snmpbulkwalk missing");
        return;
    }
    snmp_test::CAgentProcess agent;
    if (!StartBigAgent(agent)) {
        state.SkipWithError("agent did not start");
        return;
    }
    size_t lines = 0;
    for (auto _ : state) {
        std::string out;
        snmp_test::RunCommand({"/usr/bin/snmpbulkwalk", "-v", "2c", "-c", "public", "-On", "-t", "5", "-r", "1",
                               "127.0.0.1:" + std::to_string(agent.Port()), ".1.3.6.1.4.1.32473.1.328"},
                              &out);
        lines = static_cast<size_t>(std::count(out.begin(), out.end(), '\n'));
    }
    state.counters["varbinds"] = static_cast<double>(lines);
}

std::vector<std::vector<uint8_t>> BurstDatagrams()
{
    std::vector<std::vector<uint8_t>> datagrams;
    for (int i = 0; i < kBurst; ++i) {
        EntityStateRec rec;
        rec.entityId = 10100 + static_cast<uint32_t>(i % 20) * 100;
        rec.stateBits = static_cast<uint32_t>(i);
        rec.severity = 1 + i % 5;
        rec.onlineType = 30;
        rec.plannedType = 30;
        rec.occurTime = 1700000000 + static_cast<uint32_t>(i);
        std::vector<uint8_t> bytes;
        EncodeSnmpMessage(BuildEntityStateChangeTrap(SnmpVersion::V2c, "public", static_cast<uint32_t>(i), rec, i + 1,
                                                     {127, 0, 0, 1}),
                          &bytes);
        datagrams.push_back(std::move(bytes));
    }
    return datagrams;
}

// Drops counted by the kernel on the UDP socket bound to `port` (the last column of /proc/net/udp).
uint64_t KernelDrops(uint16_t port)
{
    std::ifstream in("/proc/net/udp");
    std::string line;
    std::getline(in, line);
    char wanted[8];
    std::snprintf(wanted, sizeof wanted, ":%04X", port);
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string slot, local;
        fields >> slot >> local;
        if (local.size() >= 5 && local.substr(local.size() - 5) == wanted) {
            std::string last, field;
            while (fields >> field)
                last = field;
            return std::stoull(last);
        }
    }
    return 0;
}

void SendBurst(const std::vector<std::vector<uint8_t>>& datagrams, uint16_t port)
{
    CUdpSocket sender;
    sender.Open(snmp_test::kLoopback, 0);
    for (const auto& bytes : datagrams)
        sender.SendTo(bytes.data(), bytes.size(), {snmp_test::kLoopback, port});
}

void BM_TrapBurstOurReceiver(benchmark::State& state)
{
    const auto datagrams = BurstDatagrams();
    for (auto _ : state) {
        CSnmpTrapReceiver receiver;
        receiver.Open(0, snmp_test::kLoopback);
        receiver.SetSourceAddress(std::array<uint8_t, 4>{127, 0, 0, 1});
        std::atomic<uint64_t> taken{0};
        Clock::time_point first;
        Clock::time_point last;
        std::thread loop([&] {
            // Ends after a quiet second.
            while (receiver.ReceiveOne(1000, [&](const SnmpTrapEvent&, const UdpEndpoint&) {
                last = Clock::now();
                if (taken++ == 0)
                    first = last;
            }))
                ;
        });
        SendBurst(datagrams, receiver.LocalPort());
        loop.join();
        SnmpTrapReceiverStats stats = receiver.Stats();
        const uint64_t dropped = KernelDrops(receiver.LocalPort());
        const double seconds = std::chrono::duration<double>(last - first).count();
        state.counters["sent"] = kBurst;
        state.counters["received"] = static_cast<double>(taken.load());
        state.counters["socket_delivered"] = static_cast<double>(stats.datagrams);
        state.counters["kernel_dropped"] = static_cast<double>(dropped);
        state.counters["lost_after_socket"] = static_cast<double>(stats.datagrams - stats.accepted);
        state.counters["traps_per_s"] = seconds > 0 ? static_cast<double>(taken.load()) / seconds : 0;
    }
}

void BM_TrapBurstSnmptrapd(benchmark::State& state)
{
    if (!snmp_test::ToolExists("/usr/sbin/snmptrapd")) {
        state.SkipWithError("snmptrapd missing");
        return;
    }
    const auto datagrams = BurstDatagrams();
    const auto dir = WorkDir();
    std::ofstream(dir / "snmptrapd.conf") << "disableAuthorization yes\n";
    for (auto _ : state) {
        const uint16_t port = snmp_test::FreeUdpPort();
        const auto log = dir / "snmptrapd.log";
        std::filesystem::remove(log);
        snmp_test::CChildProcess trapd;
        trapd.Start({"/usr/sbin/snmptrapd", "-f", "-C", "-c", (dir / "snmptrapd.conf").string(), "-Lf", log.string(),
                     "-F", "T\\n", "-p", (dir / "snmptrapd.pid").string(), "udp:127.0.0.1:" + std::to_string(port)},
                    {"SNMP_PERSISTENT_DIR=" + dir.string(), "MIBS="});
        // Ready when its log says so.
        for (int i = 0; i < 200 && !std::filesystem::exists(log); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        auto count = [&log] {
            std::ifstream in(log);
            size_t n = 0;
            for (std::string line; std::getline(in, line);)
                n += line == "T" ? 1 : 0;
            return n;
        };
        const auto start = Clock::now();
        SendBurst(datagrams, port);
        size_t seen = 0;
        auto lastChange = Clock::now();
        auto lastCount = Clock::now();
        while (Clock::now() - lastChange < std::chrono::seconds(2)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            size_t now = count();
            if (now != seen) {
                seen = now;
                lastChange = Clock::now();
                lastCount = lastChange;
            }
        }
        const uint64_t dropped = KernelDrops(port);
        trapd.Stop();
        const double seconds = std::chrono::duration<double>(lastCount - start).count();
        state.counters["sent"] = kBurst;
        state.counters["received"] = static_cast<double>(seen);
        state.counters["kernel_dropped"] = static_cast<double>(dropped);
        state.counters["traps_per_s"] = seconds > 0 ? static_cast<double>(seen) / seconds : 0;
    }
}

// User and system CPU seconds a process has used so far (fields 14 and 15 of /proc/<pid>/stat).
double CpuSeconds(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    unsigned long long user = 0;
    unsigned long long system = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14)
            user = std::stoull(field);
        if (i == 15)
            system = std::stoull(field);
    }
    return static_cast<double>(user + system) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

void BM_CreateAgentRows(benchmark::State& state)
{
    constexpr int kRows = 5000;
    const CSnmpOid entry = DefaultSnmpRequestMap().Find(kReqNeSnmpCommunity)->EntryOid();
    for (auto _ : state) {
        state.PauseTiming();
        snmp_test::CAgentProcess agent;
        if (!agent.Start()) {
            state.SkipWithError("agent did not start");
            return;
        }
        CSnmpSession session;
        SnmpSessionConfig config;
        config.agent = agent.Endpoint();
        config.community = "private";
        config.version = SnmpVersion::V2c;
        config.timeoutMs = 60000;
        config.retries = 0;
        session.Open(config);
        const double cpuBefore = CpuSeconds(agent.Pid());
        state.ResumeTiming();
        for (int i = 0; i < kRows; ++i) {
            const std::string name = "c" + std::to_string(100000 + i);
            CSnmpOid index{static_cast<uint32_t>(name.size())};
            for (char c : name)
                index.Append(static_cast<uint8_t>(c));
            if (session.Set({{entry.Appended(2).Appended(index), SnmpValue::Gauge32(1)},
                             {entry.Appended(3).Appended(index), SnmpValue::Gauge32(1)},
                             {entry.Appended(4).Appended(index), SnmpValue::Integer(kRowStatusCreateAndGo)}}) !=
                kDrvOk) {
                state.SkipWithError("row creation failed");
                return;
            }
        }
        state.PauseTiming();
        state.counters["rows"] = kRows;
        state.counters["agent_cpu_s"] = CpuSeconds(agent.Pid()) - cpuBefore;
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_CreateAgentRows)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WalkAlarmLogOurWalker)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WalkAlarmLogSnmpbulkwalk)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TrapBurstOurReceiver)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TrapBurstSnmptrapd)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
