// The one-echo reachability check (as the login, discovery and the SNMP link run it) against a network that answers
// as the input says: a reply, an error answer of any type and code from any address, silence or a failed send, after
// any delay and with any echoed data, with any time-out. Only an echo reply makes it reachable, and one from the NE
// in time always does; a system without ICMP sockets skips the check.
#include "fuzz/fuzz_bytes.h"
#include "link/icmp/icmp_reachability.h"
#include "link/icmp/scripted_icmp_transport.h"
#include "link/snmp/snmp_reachability.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

void CheckAt(bool condition, const char* what, int line)
{
    if (!condition) {
        std::fprintf(stderr, "reachability_fuzz.cpp:%d: %s\n", line, what);
        std::abort();
    }
}

#define Check(condition) CheckAt((condition), #condition, __LINE__)

constexpr PingAddress kNe{192, 0, 2, 10};
constexpr uint32_t kShortestWaitMs = 1000; // the check waits at least this long

ScriptedEcho NextEcho(CFuzzBytes& in, uint8_t kind)
{
    ScriptedEcho echo;
    switch (kind % 4) {
    case 0: {
        const uint16_t delayMs = in.U16();
        echo = ScriptedEcho::Reply(delayMs, in.Byte());
        break;
    }
    case 1: {
        const uint8_t type = in.Byte();
        const uint8_t code = in.Byte();
        echo = ScriptedEcho::Error(type, code, kNe, in.U16());
        break;
    }
    case 2:
        echo = ScriptedEcho::Silence();
        break;
    default:
        echo = ScriptedEcho::SendFailure(in.Byte());
        break;
    }
    if ((kind & 0x10) != 0) {
        echo.from = PingAddress{in.Byte(), in.Byte(), in.Byte(), in.Byte()};
    }
    if ((kind & 0x20) != 0) {
        echo.data = in.Bytes(in.Byte());
    }
    return echo;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzBytes in(data, size);
    const uint8_t setup = in.Byte();
    const int32_t timeoutMs = static_cast<int32_t>(in.U32());
    CScriptedIcmpNetwork network;
    std::vector<ScriptedEcho> script;
    while (!in.Empty() && script.size() < 4) {
        script.push_back(NextEcho(in, in.Byte()));
        network.Push(script.back());
    }
    const bool noSockets = (setup & 1) != 0;
    if (noSockets) {
        network.FailOpen("no ICMP socket");
    }
    SetIcmpTransportOpener(network.Opener());
    bool reachable = false;
    if ((setup & 2) != 0) {
        const SnmpEchoResult result = CheckNeEcho(kNe, timeoutMs);
        Check((result == SnmpEchoResult::Unavailable) == noSockets);
        reachable = result == SnmpEchoResult::Reachable;
    } else {
        std::string error;
        const IcmpReachability result = CheckIcmpReachable(kNe, timeoutMs, &error);
        Check((result == IcmpReachability::kUnavailable) == noSockets);
        Check(noSockets == !error.empty());
        reachable = result == IcmpReachability::kReachable;
    }
    SetIcmpTransportOpener(nullptr);

    if (noSockets) {
        return 0;
    }
    Check(network.Sent().size() == 1);
    // The one echo sent took the first answer of the script: only an echo reply (type 0) counts.
    const ScriptedEcho answer = script.empty() ? ScriptedEcho::Silence() : script.front();
    const bool echoReply =
        answer.kind == ScriptedEcho::Kind::kReply || (answer.kind == ScriptedEcho::Kind::kError && answer.type == 0);
    if (reachable) {
        Check(echoReply);
    }
    if (answer.kind == ScriptedEcho::Kind::kReply && !answer.from && !answer.data &&
        answer.delayMs <= kShortestWaitMs) {
        Check(reachable);
    }
    return 0;
}
