#pragma once
// The one-echo reachability check that the login, the SNMP link and NE discovery run before they talk to an NE.

#include "link/icmp/ping_request.h"

#include <cstdint>
#include <string>

enum class IcmpReachability {
    kReachable,   // the address answered the echo
    kUnreachable, // no answer, or an error answer (unreachable, TTL expired) from a router
    kUnavailable, // no ICMP socket can be opened on this system; error says why
};

// One echo of 64 data bytes, TTL 255, ToS 0, fragmentation allowed, waiting timeoutMs (clamped to 1000..30000).
// The check holds a counter of its own, so no other use of the engine can cut it short.
IcmpReachability CheckIcmpReachable(const PingAddress& address, int32_t timeoutMs, std::string* error = nullptr);
