#include "features/provisioning/pvcs/static_ip_range_check.h"

#include "core/util/ip_address.h"
#include "link/driver_result.h"
#include "link/link_ui.h"
#include "link/records/dhcp_relay_server_rec.h"
#include "link/records/ne_dns_server_rec.h"
#include "link/records/ne_network_config_rec.h"
#include "link/records/ne_snmp_manager_record.h"
#include "link/records/next_hop_rec.h"

#include <optional>
#include <vector>

namespace {

// The records of one list the NE keeps; none when its query failed (the failure box has been shown). A list the NE
// does not serve holds nothing.
template <typename Rec>
std::optional<std::vector<Rec>> QueryUsed(const CRecordRequests& requests, RequestCode<Rec> code, uint32_t neId,
                                          uint32_t failureTextId)
{
    const RecordReply<Rec> reply = requests.template Query<Rec>(code, neId, {.failureTextId = 0});
    if (reply.Ok())
        return reply.records;
    if (reply.result == kDrvNotSupported)
        return std::vector<Rec>{};
    if (failureTextId != 0 && reply.result != kDrvCancelled)
        GetLinkUi().ShowFailureMessage(failureTextId, reply.result, reply.text);
    return std::nullopt;
}

// The addresses the NE uses; none when one of its lists could not be read.
std::optional<std::vector<uint32_t>> UsedAddresses(const CRecordRequests& requests, uint32_t neId,
                                                   uint32_t failureTextId)
{
    std::vector<uint32_t> used;
    const auto add = [&used](const IpAddress& address) {
        if (!IsZeroIpAddress(address))
            used.push_back(IpToUInt32(address));
    };
    const auto network = QueryUsed(requests, kReqNeNetworkConfig, neId, failureTextId);
    if (!network)
        return std::nullopt;
    for (const NeNetworkConfigRec& own : *network) {
        for (const IpAddress& address : {own.nmeIp, own.gateway, own.ugeIp, own.cascadedRootIp})
            add(address);
    }
    const auto nextHops = QueryUsed(requests, kReqNextHop, neId, failureTextId);
    if (!nextHops)
        return std::nullopt;
    for (const NextHopRec& hop : *nextHops)
        add(hop.address);
    const auto dns = QueryUsed(requests, kReqNeDns, neId, failureTextId);
    if (!dns)
        return std::nullopt;
    for (const NeDnsServerRec& servers : *dns) {
        for (const IpAddress& address : {servers.first, servers.second, servers.third})
            add(address);
    }
    const auto relays = QueryUsed(requests, kReqDhcpRelayServer, neId, failureTextId);
    if (!relays)
        return std::nullopt;
    for (const DhcpRelayServerRec& relay : *relays)
        add(relay.address);
    const auto managers = QueryUsed(requests, kReqNeSnmpManager, neId, failureTextId);
    if (!managers)
        return std::nullopt;
    for (const NeSnmpManagerRecord& manager : *managers)
        add(manager.ipAddress);
    return used;
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

} // namespace

StaticIpRangeCheck CheckStaticIpRanges(uint32_t neId, const PvcStaticIps& ranges, uint32_t failureTextId,
                                       const CRecordRequests& requests)
{
    StaticIpRangeCheck check;
    const auto inUse = [](const PvcStaticIpEntry& range) { return !IsZeroIpAddress(range.baseAddress); };
    bool any = false;
    for (const PvcStaticIpEntry& range : ranges)
        any = any || inUse(range);
    if (!any)
        return check;
    const std::optional<std::vector<uint32_t>> used = UsedAddresses(requests, neId, failureTextId);
    if (!used) {
        check.state = StaticIpRangeState::kQueryFailed;
        return check;
    }
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
        for (const uint32_t address : *used) {
            if (address >= span.first && address <= span.last)
                return failAt(StaticIpRangeState::kReserved);
        }
    }
    return check;
}
