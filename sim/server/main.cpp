// tarvik-sim-server: a simulated management server for the workstation's server mode, on TCP with notifications
// also as UDP datagrams.
//
//   tarvik-sim-server [--port N] [--bind ADDR] [--scenario FILE | --generate-nes N] [--models DIR]
//                     [--generate-oplog N] [--generate-subscribers N] [--alarm-rate N] [--alarm-channel tcp|udp]
//                     [--datagram-rate N] [--frame-timeout MS]
//                     [--logon-timeout MS] [--max-unsent-kb N] [--ftp-root DIR] [--test-control] [--exit-with-parent]
//
// --port 0 takes a free port. The first line on standard output names the address and port it serves. It ends on
// SIGTERM or SIGINT.

#include <algorithm>
#include <atomic>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "core/entity/entity_model_loader.h"
#include "core/util/ip_address.h"
#include "sim/server/sim_control.h"
#include "sim/server/sim_database.h"
#include "sim/server/sim_generated_world.h"
#include "sim/server/sim_scenario.h"
#include "sim/server/sim_server.h"

namespace {

std::atomic<bool> g_stop{false};

// The most operation log entries and subscribers made up at start.
constexpr uint32_t kSimMaxGenerated = 1000000;

std::atomic<CSimServer*> g_server{nullptr};

void OnSignal(int)
{
    g_stop = true;
    if (CSimServer* server = g_server.load()) {
        server->WakeToStop();
    }
}

// What a workstation that turns notifications on is sent at once: the state of every entity, a frame per NE. The
// cap on unsent data leaves room for twice that.
size_t AllStatesBytes(const CSimDatabase& database)
{
    size_t bytes = 0;
    for (uint32_t id : database.NeIds()) {
        bytes += kFramePrefixSize + kFrameHeaderSize + database.FindNe(id)->Entities().size() * kEntityStateRecSize;
    }
    return 2 * bytes;
}

bool ParseUnsigned(const std::string& text, uint32_t max, uint32_t* value)
{
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), *value);
    return ec == std::errc() && ptr == text.data() + text.size() && *value <= max;
}

void PrintHelp()
{
    std::printf(
        "tarvik-sim-server: a simulated management server\n"
        "\n"
        "  --port N             TCP port to serve (default 19460; 0 takes a free one)\n"
        "  --bind ADDR          IPv4 address to serve on (default 127.0.0.1)\n"
        "  --scenario FILE      locations, accounts, rights and NEs to serve (default: one account admin/admin)\n"
        "  --generate-nes N     serve a made-up network of N NEs (1..%u) instead: sites of a hundred NEs below\n"
        "                       the run command's locations, its accounts, and an alarm on every 25th NE\n"
        "  --generate-found-nes N  discovery has found N NEs (1..%u) that nobody manages, 10.200.0.1 onwards\n"
        "  --models DIR         entity definition files (default: the scenario's, else resources/EntConf)\n"
        "  --generate-oplog N   start with an operation log of N made-up changes (1..%u) by the accounts on the\n"
        "                       NEs, one every three minutes up to now\n"
        "  --generate-subscribers N\n"
        "                       give N line ports (1..%u, in NE and port order, as far as there are ports) a\n"
        "                       made-up subscriber\n"
        "  --alarm-rate N       raise or clear N random alarms per second (default: the scenario's, else 0)\n"
        "  --alarm-channel C    send generated alarms over udp (default; TCP to workstations without a\n"
        "                       notification port) or tcp\n"
        "  --frame-timeout MS   close a connection that leaves a frame half-sent this long (default 30000)\n"
        "  --logon-timeout MS   close a connection that has not logged on this long after connecting\n"
        "                       (default 60000)\n"
        "  --max-unsent-kb N    drop a connection when more than N kB wait to be sent to it (default 65536, or\n"
        "                       twice the state of every entity when that is more)\n"
        "  --datagram-rate N    notification datagrams per second to one workstation (default 8000; 0 sends\n"
        "                       them as fast as the socket takes them)\n"
        "  --ftp-root DIR       the NEs' FTP areas are DIR/<NE address> (the simulated NEs' FTP servers): an NE\n"
        "                       reports the version of the newest firmware image there\n"
        "  --test-control       serve the tests' control request: code %u, operation 2, a 16-byte record\n"
        "                       {u32 action, u32 arg1, u32 arg2, u32 arg3}, little-endian:\n"
        "                         action 1: push arg1 entity-state notifications (code 330) of the request's NE\n"
        "                                   over arg2 (1 TCP, 2 UDP); record i carries i in its value field;\n"
        "                                   at most %u records\n"
        "                         action 2: leave the next arg1 requests of the connection unanswered\n"
        "                         action 3: close the connection at once, without an answer\n"
        "                         action 4: answer in protocol version arg1\n"
        "                         action 6: refuse the next change of request code arg1\n"
        "                         action 8: refuse the next request of code arg1, a query or a change\n"
        "  --exit-with-parent   end when the process that started it ends (for tests)\n"
        "\n"
        "The first line on standard output is \"listening on ADDR:PORT\". SIGTERM or SIGINT ends it.\n",
        kSimMaxGeneratedNes, kSimMaxGeneratedNes, kSimMaxGenerated, kSimMaxGenerated,
        static_cast<unsigned>(kReqSimControl), kSimMaxPushedStates);
}

int Usage(const std::string& why)
{
    std::fprintf(stderr, "tarvik-sim-server: %s (see --help)\n", why.c_str());
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    SimServerOptions options;
    std::string scenarioPath;
    std::string modelDir;
    std::optional<uint32_t> alarmRate;
    uint32_t generatedNes = 0;
    uint32_t generatedFoundNes = 0;
    uint32_t generatedLog = 0;
    uint32_t generatedSubscribers = 0;
    bool unsentCapGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        std::string v;
        auto value = [&](std::string* out) {
            if (i + 1 >= argc) {
                return false;
            }
            *out = argv[++i];
            return true;
        };
        if (arg == "--help" || arg == "-h") {
            PrintHelp();
            return 0;
        } else if (arg == "--port") {
            uint32_t port = 0;
            if (!value(&v) || !ParseUnsigned(v, 65535, &port)) {
                return Usage("--port needs a number 0..65535");
            }
            options.port = static_cast<uint16_t>(port);
        } else if (arg == "--bind") {
            if (!value(&v) || !IsValidIpAddressText(v)) {
                return Usage("--bind needs an IPv4 address");
            }
            options.bindAddress = ParseIpAddress(v);
        } else if (arg == "--scenario") {
            if (!value(&scenarioPath)) {
                return Usage("--scenario needs a file");
            }
        } else if (arg == "--generate-nes") {
            if (!value(&v) || !ParseUnsigned(v, kSimMaxGeneratedNes, &generatedNes) || generatedNes == 0) {
                return Usage("--generate-nes needs a number 1.." + std::to_string(kSimMaxGeneratedNes));
            }
        } else if (arg == "--generate-found-nes") {
            if (!value(&v) || !ParseUnsigned(v, kSimMaxGeneratedNes, &generatedFoundNes) || generatedFoundNes == 0) {
                return Usage("--generate-found-nes needs a number 1.." + std::to_string(kSimMaxGeneratedNes));
            }
        } else if (arg == "--generate-oplog" || arg == "--generate-subscribers") {
            uint32_t count = 0;
            if (!value(&v) || !ParseUnsigned(v, kSimMaxGenerated, &count) || count == 0) {
                return Usage(arg + " needs a number 1.." + std::to_string(kSimMaxGenerated));
            }
            (arg == "--generate-oplog" ? generatedLog : generatedSubscribers) = count;
        } else if (arg == "--frame-timeout" || arg == "--logon-timeout") {
            uint32_t ms = 0;
            if (!value(&v) || !ParseUnsigned(v, 3600000, &ms) || ms == 0) {
                return Usage(arg + " needs a number of milliseconds 1..3600000");
            }
            (arg == "--frame-timeout" ? options.frameTimeoutMs : options.logonTimeoutMs) = ms;
        } else if (arg == "--max-unsent-kb") {
            uint32_t kb = 0;
            if (!value(&v) || !ParseUnsigned(v, 4194304, &kb) || kb == 0) {
                return Usage("--max-unsent-kb needs a number 1..4194304");
            }
            options.maxUnsentBytes = static_cast<size_t>(kb) * 1024;
            unsentCapGiven = true;
        } else if (arg == "--models") {
            if (!value(&modelDir)) {
                return Usage("--models needs a directory");
            }
        } else if (arg == "--alarm-rate") {
            uint32_t rate = 0;
            if (!value(&v) || !ParseUnsigned(v, 10000, &rate)) {
                return Usage("--alarm-rate needs a number 0..10000");
            }
            alarmRate = rate;
        } else if (arg == "--datagram-rate") {
            if (!value(&v) || !ParseUnsigned(v, 1000000, &options.datagramRate)) {
                return Usage("--datagram-rate needs a number 0..1000000");
            }
        } else if (arg == "--alarm-channel") {
            if (!value(&v) || (v != "tcp" && v != "udp")) {
                return Usage("--alarm-channel needs tcp or udp");
            }
            options.handler.alarmChannel = v == "tcp" ? SimChannel::kTcp : SimChannel::kUdp;
        } else if (arg == "--ftp-root") {
            if (!value(&options.handler.ftpRoot)) {
                return Usage("--ftp-root needs a directory");
            }
        } else if (arg == "--test-control") {
            options.handler.testControl = true;
        } else if (arg == "--exit-with-parent") {
            options.exitWithParent = true;
        } else {
            return Usage("unknown argument " + arg);
        }
    }

    if (generatedNes != 0 && !scenarioPath.empty()) {
        return Usage("--scenario and --generate-nes exclude each other");
    }
    SimScenario scenario = generatedNes != 0 ? GenerateSimScenario(generatedNes) : DefaultSimScenario();
    std::string error;
    if (!scenarioPath.empty() && !LoadSimScenario(scenarioPath, &scenario, &error)) {
        std::fprintf(stderr, "tarvik-sim-server: %s\n", error.c_str());
        return 1;
    }
    if (!modelDir.empty()) {
        scenario.modelDirectory = modelDir;
    }
    if (scenario.modelDirectory.empty()) {
        scenario.modelDirectory = std::string(TARVIK_RESOURCES_DIR) + "/EntConf";
    }
    const std::filesystem::path dir(scenario.modelDirectory);
    EntityModelLoadResult loaded = LoadEntityModelSet((dir / "EntInfo.dat").string(), (dir / "EntAlm.dat").string(),
                                                      (dir / "EntSkin.dat").string());
    if (!loaded.models) {
        std::fprintf(stderr, "tarvik-sim-server: %s\n", loaded.error.c_str());
        return 1;
    }
    ReplaceEntityModels(std::move(loaded.models));

    CSimDatabase database;
    const auto now = static_cast<uint32_t>(std::time(nullptr));
    if (!database.Load(scenario, now, &error)) {
        std::fprintf(stderr, "tarvik-sim-server: %s: %s\n", scenarioPath.empty() ? "defaults" : scenarioPath.c_str(),
                     error.c_str());
        return 1;
    }
    for (const FoundNeRec& found : GenerateFoundNes(generatedFoundNes))
        database.Discovery().KeepFound(found);
    if (generatedLog != 0) {
        std::vector<std::string> operators;
        for (const UserAccountRecord& account : database.Accounts()) {
            operators.push_back(account.name);
        }
        database.OpLog().Generate(generatedLog, operators, database.NeIds(), now);
    }
    database.GenerateSubscribers(generatedSubscribers);
    options.alarmRate = alarmRate.value_or(scenario.alarmRate);
    if (!unsentCapGiven) {
        options.maxUnsentBytes = std::max(options.maxUnsentBytes, AllStatesBytes(database));
    }
    CSimServer server(database, options);
    if (const int result = server.Open(); result != 0) {
        std::fprintf(stderr, "tarvik-sim-server: cannot serve on %s:%u: %s\n",
                     FormatIpAddress(options.bindAddress).c_str(), options.port, std::strerror(result));
        return 1;
    }
    g_server = &server;
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGPIPE, SIG_IGN);
    std::printf("listening on %s:%u\n", FormatIpAddress(options.bindAddress).c_str(), server.Port());
    std::fflush(stdout);
    server.Run(g_stop);
    g_server = nullptr; // a late signal finds no server to wake while it goes
    return 0;
}
