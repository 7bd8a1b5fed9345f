#include "link/snmp/snmp_reachability.h"

#include "link/driver_logs.h"
#include "link/icmp/icmp_reachability.h"

#include <string>

SnmpEchoResult CheckNeEcho(const std::array<uint8_t, 4>& address, int32_t timeoutMs)
{
    std::string error;
    switch (CheckIcmpReachable(address, timeoutMs, &error)) {
    case IcmpReachability::kReachable:
        return SnmpEchoResult::Reachable;
    case IcmpReachability::kUnreachable:
        return SnmpEchoResult::Unreachable;
    case IcmpReachability::kUnavailable:
        WriteDriverLog(DriverLogKind::NetDrv, "reachability check skipped: %s", error.c_str());
        return SnmpEchoResult::Unavailable;
    }
    return SnmpEchoResult::Unavailable;
}
