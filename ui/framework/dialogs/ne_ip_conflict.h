#pragma once
// Whether an address is one the NE already uses for something else, so that it is not given a second use: its own
// management interfaces, its gateway, the root of its cascaded management (request 900), its DNS servers (311), its
// SNMP managers (304), its DHCP relay servers (502) and its next hops (425). A caller skips what it is about to set
// itself with the flags. The queries go through the current driver with the failure box "Fail to query".

#include "core/util/ip_address.h"

#include <cstdint>

// Flags of the comparisons skipped.
inline constexpr uint32_t kSkipNeInterfaces = 0x01;
inline constexpr uint32_t kSkipNeGateway = 0x02;
inline constexpr uint32_t kSkipNeDnsServers = 0x04;
inline constexpr uint32_t kSkipCascadedRoot = 0x08;
inline constexpr uint32_t kSkipSnmpManagers = 0x10;
inline constexpr uint32_t kSkipDhcpRelayServers = 0x20;
inline constexpr uint32_t kSkipNextHops = 0x40;
// What a dialog that sets the NE's servers checks against: the NE's interfaces, its gateway and its cascaded root.
inline constexpr uint32_t kCheckNeOwnAddresses = 0xF4;

// True when the NE uses the address; also when a query it needs fails (nothing can be told then). False for
// 0.0.0.0, which names no address.
bool CheckNeIpConflict(uint32_t neId, const IpAddress& address, uint32_t skipFlags);
