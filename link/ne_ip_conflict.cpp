#include "link/ne_ip_conflict.h"

#include "link/driver_result.h"
#include "link/link_ui.h"
#include "link/records/ne_dns_server_rec.h"
#include "link/records/ne_network_config_rec.h"
#include "link/records/ne_snmp_manager_record.h"
#include "link/records/ne_time_server_record.h"

#include <vector>

namespace {

// The addresses of one list, or none when its query failed (the failure box has been shown).
template <typename Rec> struct Listed {
    bool ok = true;
    std::vector<Rec> records;
};

template <typename Rec>
Listed<Rec> QueryList(const CRecordRequests& requests, RequestCode<Rec> code, uint32_t neId, uint32_t failureTextId)
{
    // The box is shown here: a list the NE does not serve is no failure.
    const RecordReply<Rec> reply = requests.template Query<Rec>(code, neId, {.failureTextId = 0});
    Listed<Rec> listed;
    if (reply.Ok()) {
        listed.records = reply.records;
    } else if (reply.result != kDrvNotSupported) {
        listed.ok = false;
        if (failureTextId != 0 && reply.result != kDrvCancelled)
            GetLinkUi().ShowFailureMessage(failureTextId, reply.result, reply.text);
    }
    return listed;
}

bool Skipped(uint32_t flags, uint32_t bit)
{
    return (flags & bit) != 0;
}

} // namespace

NeIpConflict CheckNeIpConflict(const IpAddress& address, uint32_t skipFlags, uint32_t neId, uint32_t failureTextId,
                               const CRecordRequests& requests)
{
    if (IsZeroIpAddress(address))
        return NeIpConflict::kFree;
    std::vector<IpAddress> used;

    if (!Skipped(skipFlags, kConflictSkipInterfaces) || !Skipped(skipFlags, kConflictSkipGateway) ||
        !Skipped(skipFlags, kConflictSkipCascadedRoot)) {
        const Listed<NeNetworkConfigRec> own = QueryList(requests, kReqNeNetworkConfig, neId, failureTextId);
        if (!own.ok)
            return NeIpConflict::kConflict;
        for (const NeNetworkConfigRec& network : own.records) {
            if (!Skipped(skipFlags, kConflictSkipInterfaces)) {
                used.push_back(network.nmeIp);
                used.push_back(network.ugeIp);
            }
            if (!Skipped(skipFlags, kConflictSkipGateway))
                used.push_back(network.gateway);
            if (!Skipped(skipFlags, kConflictSkipCascadedRoot))
                used.push_back(network.cascadedRootIp);
        }
    }
    if (!Skipped(skipFlags, kConflictSkipDnsServers)) {
        const Listed<NeDnsServerRec> dns = QueryList(requests, kReqNeDns, neId, failureTextId);
        if (!dns.ok)
            return NeIpConflict::kConflict;
        for (const NeDnsServerRec& servers : dns.records)
            used.insert(used.end(), {servers.first, servers.second, servers.third});
    }
    if (!Skipped(skipFlags, kConflictSkipManagers)) {
        const Listed<NeSnmpManagerRecord> managers = QueryList(requests, kReqNeSnmpManager, neId, failureTextId);
        if (!managers.ok)
            return NeIpConflict::kConflict;
        for (const NeSnmpManagerRecord& manager : managers.records)
            used.push_back(manager.ipAddress);
    }
    if (!Skipped(skipFlags, kConflictSkipTimeServers)) {
        const Listed<NeTimeServerRecord> time = QueryList(requests, kReqNeTimeServer, neId, failureTextId);
        if (!time.ok)
            return NeIpConflict::kConflict;
        // A time server given by its name uses no address of its own here.
        for (const NeTimeServerRecord& servers : time.records) {
            for (const std::string& server : servers.servers) {
                if (IsValidIpAddressText(server))
                    used.push_back(ParseIpAddress(server));
            }
        }
    }
    for (const IpAddress& other : used) {
        if (other == address)
            return NeIpConflict::kConflict;
    }
    return NeIpConflict::kFree;
}
