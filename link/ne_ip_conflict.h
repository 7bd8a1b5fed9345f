#pragma once
// Whether an address that is to be written somewhere on an NE is already used by that NE: by its own management
// interfaces, its gateway, its DNS servers, the root of its cascaded management, its SNMP managers or its time servers.
// The NE is asked for each list the caller does not skip; a list the NE does not serve (a direct-mode NE answering
// "request not supported") holds nothing. A query that fails shows its failure box and counts as a conflict: an
// address the check could not clear is not written.
//
//     if (CheckNeIpConflict(rootIp, kConflictSkipCascadedRoot, neId, kStrFailToQuery) == NeIpConflict::kConflict) {
//         ShowAlertTextById(kStrIpAddressReserved, kRootIpId);
//         return;
//     }

#include "core/util/ip_address.h"
#include "link/record_requests.h"

#include <cstdint>

enum class NeIpConflict : uint8_t { kFree, kConflict };

// What the check skips, one bit per use of an address.
inline constexpr uint32_t kConflictSkipInterfaces = 0x01;   // the NME and UGE interface addresses
inline constexpr uint32_t kConflictSkipGateway = 0x02;      // the default gateway
inline constexpr uint32_t kConflictSkipDnsServers = 0x04;   // the DNS servers (311)
inline constexpr uint32_t kConflictSkipCascadedRoot = 0x08; // the cascaded management root (900)
inline constexpr uint32_t kConflictSkipManagers = 0x10;     // the SNMP managers (304)
inline constexpr uint32_t kConflictSkipTimeServers = 0x20;  // the time servers given as addresses (312)

// 0.0.0.0 is never in use. `failureTextId` is the text of the failure box of a query that fails.
NeIpConflict CheckNeIpConflict(const IpAddress& address, uint32_t skipFlags, uint32_t neId, uint32_t failureTextId,
                               const CRecordRequests& requests = CRecordRequests());
