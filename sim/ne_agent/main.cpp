// tarvik-ne-agent: a simulated NE that answers SNMP v1/v2c on UDP from one NE of the entity models.
//
//   tarvik-ne-agent [--port N] [--bind ADDR] [--scenario FILE] [--trap-to HOST:PORT] [--community NAME]
//                   [--models DIR] [--alarm-interval MS] [--reply-delay MS]
//
// --port 0 takes a free port. The first line on standard output names the address and port it serves; the
// counters are written to standard error when it ends (SIGTERM or SIGINT).

#include "core/entity/entity_model_loader.h"
#include "core/util/ip_address.h"
#include "link/records/ne_snmp_community_record.h"
#include "link/records/request_codes.h"
#include "sim/ne_agent/ne_agent_mib.h"
#include "sim/ne_agent/ne_agent_scenario.h"
#include "sim/ne_agent/ne_agent_server.h"

#include <atomic>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

std::atomic<bool> g_stop{false};

void OnSignal(int)
{
    g_stop = true;
}

bool ParseUnsigned(const std::string& text, uint32_t max, uint32_t* value)
{
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), *value);
    return ec == std::errc() && ptr == text.data() + text.size() && *value <= max;
}

bool ParseAddress(const std::string& text, std::array<uint8_t, 4>* address)
{
    if (text == "localhost") {
        *address = {127, 0, 0, 1};
        return true;
    }
    if (!IsValidIpAddressText(text))
        return false;
    *address = ParseIpAddress(text);
    return true;
}

int Usage(const char* why)
{
    std::fprintf(stderr,
                 "tarvik-ne-agent: %s\n"
                 "usage: tarvik-ne-agent [--port N] [--bind ADDR] [--scenario FILE] [--trap-to HOST:PORT]\n"
                 "                       [--community NAME] [--models DIR] [--alarm-interval MS]\n"
                 "                       [--reply-delay MS]\n",
                 why);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    NeAgentScenario scenario = DefaultNeAgentScenario();
    NeAgentServerOptions options;
    std::string scenarioPath;
    std::string modelDir;
    std::string extraCommunity;
    std::optional<uint32_t> alarmInterval;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](std::string* out) {
            if (i + 1 >= argc)
                return false;
            *out = argv[++i];
            return true;
        };
        std::string v;
        if (arg == "--help" || arg == "-h") {
            Usage("simulated NE agent");
            return 0;
        } else if (arg == "--port") {
            uint32_t port = 0;
            if (!value(&v) || !ParseUnsigned(v, 65535, &port))
                return Usage("--port needs a number 0..65535");
            options.port = static_cast<uint16_t>(port);
        } else if (arg == "--bind") {
            if (!value(&v) || !ParseAddress(v, &options.bindAddress))
                return Usage("--bind needs an IPv4 address");
        } else if (arg == "--scenario") {
            if (!value(&scenarioPath))
                return Usage("--scenario needs a file");
        } else if (arg == "--trap-to") {
            size_t colon = 0;
            uint32_t port = 0;
            UdpEndpoint target;
            if (!value(&v) || (colon = v.rfind(':')) == std::string::npos ||
                !ParseAddress(v.substr(0, colon), &target.address) ||
                !ParseUnsigned(v.substr(colon + 1), 65535, &port) || port == 0)
                return Usage("--trap-to needs HOST:PORT");
            target.port = static_cast<uint16_t>(port);
            options.trapTarget = target;
        } else if (arg == "--community") {
            if (!value(&extraCommunity) || extraCommunity.empty() || extraCommunity.size() > 20)
                return Usage("--community needs a name of 1..20 characters");
        } else if (arg == "--models") {
            if (!value(&modelDir))
                return Usage("--models needs a directory");
        } else if (arg == "--alarm-interval") {
            uint32_t ms = 0;
            if (!value(&v) || !ParseUnsigned(v, 3600000, &ms))
                return Usage("--alarm-interval needs milliseconds");
            alarmInterval = ms;
        } else if (arg == "--reply-delay") {
            if (!value(&v) || !ParseUnsigned(v, 60000, &options.replyDelayMs))
                return Usage("--reply-delay needs milliseconds");
        } else {
            return Usage(("unknown argument " + arg).c_str());
        }
    }

    std::string error;
    if (!scenarioPath.empty() && !LoadNeAgentScenario(scenarioPath, &scenario, &error)) {
        std::fprintf(stderr, "tarvik-ne-agent: %s\n", error.c_str());
        return 1;
    }
    if (!extraCommunity.empty())
        scenario.rows.push_back(MakeNeAgentRow(kReqNeSnmpCommunity, NeSnmpCommunityRecord{extraCommunity, 2, 1}));
    if (!modelDir.empty())
        scenario.modelDirectory = modelDir;
    if (scenario.modelDirectory.empty())
        scenario.modelDirectory = std::string(TARVIK_RESOURCES_DIR) + "/EntConf";
    if (alarmInterval)
        scenario.alarmIntervalMs = *alarmInterval;

    const std::filesystem::path dir(scenario.modelDirectory);
    EntityModelLoadResult loaded = LoadEntityModelSet((dir / "EntInfo.dat").string(), (dir / "EntAlm.dat").string(),
                                                      (dir / "EntSkin.dat").string());
    if (!loaded.models)
        std::fprintf(stderr, "tarvik-ne-agent: %s; serving without entity models\n", loaded.error.c_str());

    CNeAgentMib mib;
    mib.Build(scenario, loaded.models.get());
    options.trapV1 = scenario.trapV1;
    options.trapCommunity = scenario.trapCommunity;
    options.alarmIntervalMs = scenario.alarmIntervalMs;
    options.maxMessageSize = scenario.maxMessageSize;
    options.bulkTooBig = scenario.bulkTooBig;
    CNeAgentServer server(mib, options);
    if (int result = server.Open(); result != 0) {
        std::fprintf(stderr, "tarvik-ne-agent: cannot bind UDP port %u: %s\n", options.port, std::strerror(result));
        return 1;
    }
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGINT, OnSignal);
    std::printf("listening on %s:%u\n", FormatIpAddress(options.bindAddress).c_str(), server.Port());
    std::fflush(stdout);
    server.SendColdStart();
    server.Run(g_stop);
    const NeAgentCounters& c = mib.Counters();
    std::fprintf(stderr, "tarvik-ne-agent: %u datagrams, %u malformed, %u bad community, %u bad version\n", c.inPackets,
                 c.asnParseErrors, c.badCommunityNames, c.badVersions);
    return 0;
}
