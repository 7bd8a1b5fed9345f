#pragma once
// Whether the static IP ranges of a PVC may be given to its subscribers: no two ranges overlap, every address of a
// range is a host address, and none is an address the NE uses itself (its interfaces, gateway and cascaded root, its
// next hops, DNS servers, DHCP relay servers and SNMP managers). The NE is asked for what it uses; a list it does not
// serve holds nothing, and a query that fails fails the check, with the failure box: a range is never passed
// unchecked.
//
//     const StaticIpRangeCheck check = CheckStaticIpRanges(neId, ranges, kStrFailToQuery);
//     if (check.state == StaticIpRangeState::kReserved) ... the range of check.failedIndex holds an address in use ...

#include "features/provisioning/pvcs/pvc_rule_check.h"
#include "link/record_requests.h"

#include <cstdint>

enum class StaticIpRangeState : uint8_t {
    kValid,
    kIncorrect,   // overlaps a later range or holds an address no host may have
    kReserved,    // holds an address the NE uses
    kQueryFailed, // what the NE uses could not be read
};

struct StaticIpRangeCheck {
    StaticIpRangeState state = StaticIpRangeState::kValid;
    int failedIndex = -1; // the range that failed
};

// Ranges of address 0.0.0.0 are unused and skipped.
StaticIpRangeCheck CheckStaticIpRanges(uint32_t neId, const PvcStaticIps& ranges, uint32_t failureTextId,
                                       const CRecordRequests& requests = CRecordRequests());
