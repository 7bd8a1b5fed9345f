#pragma once
// The one-echo reachability check the SNMP driver runs before it connects and before each request.

#include <array>
#include <cstdint>
#include <functional>

enum class SnmpEchoResult : uint8_t {
    Reachable,
    Unreachable,
    Unavailable, // the system allows no ICMP socket: the check is skipped
};

using SnmpEchoCheck = std::function<SnmpEchoResult(const std::array<uint8_t, 4>& address, int32_t timeoutMs)>;

// The check through the program's ICMP engine.
SnmpEchoResult CheckNeEcho(const std::array<uint8_t, 4>& address, int32_t timeoutMs);
