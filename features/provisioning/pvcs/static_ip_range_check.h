#pragma once
// Whether the static IP ranges of a PVC may be given to its subscribers: no two ranges overlap, every address of a
// range is a host address, and none is an address in use: the four of the network record (request 900), the next
// hops, the DNS servers, the DHCP relay servers and the SNMP managers. Those are read at NE id 0; a list that cannot
// be read (its failure box shown) holds nothing, so the check passes what it could not judge: the NE itself refuses
// a range it uses when the range is added, and the write is undone.
//
//     const StaticIpRangeCheck check = CheckStaticIpRanges(ranges, kStrFailToQuery);
//     if (check.state == StaticIpRangeState::kReserved) ... the range of check.failedIndex holds an address in use ...

#include "features/provisioning/pvcs/pvc_rule_check.h"
#include "link/record_requests.h"

#include <cstdint>
#include <vector>

enum class StaticIpRangeState : uint8_t {
    kValid,
    kIncorrect, // overlaps a later range or holds an address no host may have
    kReserved,  // holds an address in use
};

struct StaticIpRangeCheck {
    StaticIpRangeState state = StaticIpRangeState::kValid;
    int failedIndex = -1; // the range that failed
};

// Ranges of address 0.0.0.0 are unused and skipped. The network record is read first; the lists when a range is
// first judged against them.
StaticIpRangeCheck CheckStaticIpRanges(const PvcStaticIps& ranges, uint32_t failureTextId,
                                       const CRecordRequests& requests = CRecordRequests());

// The addresses in use as the check reads them, all lists in its order: for checking many ranges at once.
std::vector<uint32_t> QueryUsedAddresses(uint32_t failureTextId, const CRecordRequests& requests = CRecordRequests());
// One range, of addresses no host may have or that are in use.
StaticIpRangeState CheckStaticIpRange(const PvcStaticIpEntry& range, const std::vector<uint32_t>& used);
