#pragma once
// What the NE dialog tells the operator of management addresses that do not fit together: the message and the fields
// of the Management IP page for each result of ValidateNeIpInterfaces, and the last check, that the gateway lies in
// one of the NE's own subnets.

#include "core/util/ip_address.h"

#include <array>
#include <cstdint>
#include <optional>

struct MgmtIpAlert {
    uint32_t stringId = 0;
    std::array<int, 3> fields{}; // control ids of the Management IP page; 0 for none
};

// The alert of a ValidateNeIpInterfaces result; none for 0 and for a result without a message, which passes.
std::optional<MgmtIpAlert> MgmtIpAlertOf(int result);

// The gateway lies in the UGE subnet or in the NME subnet, each interface's address and the gateway compared under
// the interface's prefix length.
bool GatewayInNeSubnet(const IpAddress& gateway, const IpAddress& ugeIp, unsigned ugePrefix, const IpAddress& nmeIp,
                       unsigned nmePrefix);
