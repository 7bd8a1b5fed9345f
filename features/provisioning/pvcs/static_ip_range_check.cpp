#include "features/provisioning/pvcs/static_ip_range_check.h"

#include "core/util/ip_address.h"
#include "link/driver_result.h"
#include "link/link_ui.h"
#include "link/records/dhcp_relay_server_rec.h"
#include "link/records/ne_dns_server_rec.h"
#include "link/records/ne_network_config_rec.h"
#include "link/records/ne_snmp_manager_record.h"
#include "link/records/next_hop_rec.h"

#include <algorithm>
#include <vector>

namespace {

// The lists are those the server answers for NE id 0.
constexpr uint32_t kListsNeId = 0;

// The records of one list; none when its query failed (the failure box has been shown), which passes the test the
// list serves. A list that is not served holds nothing.
template <typename Rec>
std::vector<Rec> QueryUsed(const CRecordRequests& requests, RequestCode<Rec> code, uint32_t failureTextId)
{
    const RecordReply<Rec> reply = requests.template Query<Rec>(code, kListsNeId, {.failureTextId = 0});
    if (reply.Ok())
        return reply.records;
    if (failureTextId != 0 && reply.result != kDrvNotSupported && reply.result != kDrvCancelled)
        GetLinkUi().ShowFailureMessage(failureTextId, reply.result, reply.text);
    return {};
}

void Add(std::vector<uint32_t>& used, const IpAddress& address)
{
    if (!IsZeroIpAddress(address))
        used.push_back(IpToUInt32(address));
}

// The four addresses of the network record.
std::vector<uint32_t> QueryNetworkAddresses(const CRecordRequests& requests, uint32_t failureTextId)
{
    std::vector<uint32_t> used;
    for (const NeNetworkConfigRec& own : QueryUsed(requests, kReqNeNetworkConfig, failureTextId)) {
        for (const IpAddress& address : {own.nmeIp, own.gateway, own.ugeIp, own.cascadedRootIp})
            Add(used, address);
    }
    return used;
}

// The next hops, DNS servers, DHCP relay servers and SNMP managers, in that order.
void QueryListedAddresses(const CRecordRequests& requests, uint32_t failureTextId, std::vector<uint32_t>& used)
{
    for (const NextHopRec& hop : QueryUsed(requests, kReqNextHop, failureTextId))
        Add(used, hop.address);
    for (const NeDnsServerRec& servers : QueryUsed(requests, kReqNeDns, failureTextId)) {
        for (const IpAddress& address : {servers.first, servers.second, servers.third})
            Add(used, address);
    }
    for (const DhcpRelayServerRec& relay : QueryUsed(requests, kReqDhcpRelayServer, failureTextId))
        Add(used, relay.address);
    for (const NeSnmpManagerRecord& manager : QueryUsed(requests, kReqNeSnmpManager, failureTextId))
        Add(used, manager.ipAddress);
}

struct Span {
    uint64_t first = 0;
    uint64_t last = 0; // past the address space when the range runs over its end
};

Span SpanOf(const PvcStaticIpEntry& range)
{
    const uint64_t first = IpToUInt32(range.baseAddress);
    return {first, first + (range.count == 0 ? 0 : range.count - 1u)};
}

bool HoldsOnlyHosts(const Span& span)
{
    for (uint64_t value = span.first; value <= span.last; ++value) {
        if (value > UINT32_MAX || !IsValidHostIpAddress(UInt32ToIp(static_cast<uint32_t>(value)), 0))
            return false;
    }
    return true;
}

bool HoldsOneOf(const Span& span, const std::vector<uint32_t>& used)
{
    return std::any_of(used.begin(), used.end(),
                       [&](uint32_t address) { return address >= span.first && address <= span.last; });
}

} // namespace

std::vector<uint32_t> QueryUsedAddresses(uint32_t failureTextId, const CRecordRequests& requests)
{
    std::vector<uint32_t> used = QueryNetworkAddresses(requests, failureTextId);
    QueryListedAddresses(requests, failureTextId, used);
    return used;
}

StaticIpRangeState CheckStaticIpRange(const PvcStaticIpEntry& range, const std::vector<uint32_t>& used)
{
    const Span span = SpanOf(range);
    if (!HoldsOnlyHosts(span))
        return StaticIpRangeState::kIncorrect;
    return HoldsOneOf(span, used) ? StaticIpRangeState::kReserved : StaticIpRangeState::kValid;
}

StaticIpRangeCheck CheckStaticIpRanges(const PvcStaticIps& ranges, uint32_t failureTextId,
                                       const CRecordRequests& requests)
{
    StaticIpRangeCheck check;
    std::vector<uint32_t> used = QueryNetworkAddresses(requests, failureTextId);
    bool listsRead = false;
    const auto inUse = [](const PvcStaticIpEntry& range) { return !IsZeroIpAddress(range.baseAddress); };
    for (size_t i = 0; i < ranges.size(); ++i) {
        if (!inUse(ranges[i]))
            continue;
        const Span span = SpanOf(ranges[i]);
        const auto failAt = [&](StaticIpRangeState state) {
            check.state = state;
            check.failedIndex = static_cast<int>(i);
            return check;
        };
        for (size_t j = i + 1; j < ranges.size(); ++j) {
            if (!inUse(ranges[j]))
                continue;
            const Span later = SpanOf(ranges[j]);
            if (span.first <= later.last && later.first <= span.last)
                return failAt(StaticIpRangeState::kIncorrect);
        }
        if (!HoldsOnlyHosts(span))
            return failAt(StaticIpRangeState::kIncorrect);
        if (!listsRead) {
            QueryListedAddresses(requests, failureTextId, used);
            listsRead = true;
        }
        if (HoldsOneOf(span, used))
            return failAt(StaticIpRangeState::kReserved);
    }
    return check;
}
