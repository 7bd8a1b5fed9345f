#include "ui/framework/dialogs/ne_ip_conflict.h"

#include "link/record_requests.h"
#include "link/records/dhcp_relay_server_rec.h"
#include "link/records/ne_dns_server_rec.h"
#include "link/records/ne_network_config_rec.h"
#include "link/records/ne_snmp_manager_record.h"
#include "link/records/next_hop_rec.h"
#include "ui/framework/messages/string_ids.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

template <typename Rec> std::optional<std::vector<Rec>> Records(RequestCode<Rec> code, uint32_t neId)
{
    RecordReply<Rec> reply = CRecordRequests().Query<Rec>(code, neId, {.failureTextId = kStrFailToQuery});
    if (!reply.Ok())
        return std::nullopt;
    return std::move(reply.records);
}

// True when a query failed or one of its records holds the address.
template <typename Rec, typename Addresses>
bool Holds(RequestCode<Rec> code, uint32_t neId, const IpAddress& address, Addresses addresses)
{
    const std::optional<std::vector<Rec>> records = Records(code, neId);
    if (!records)
        return true;
    return std::any_of(records->begin(), records->end(), [&](const Rec& rec) {
        const std::vector<IpAddress> used = addresses(rec);
        return std::find(used.begin(), used.end(), address) != used.end();
    });
}

} // namespace

bool CheckNeIpConflict(uint32_t neId, const IpAddress& address, uint32_t skipFlags)
{
    if (IsZeroIpAddress(address))
        return false;
    const auto skips = [skipFlags](uint32_t flag) { return (skipFlags & flag) != 0; };
    if (!skips(kSkipNeInterfaces) || !skips(kSkipNeGateway) || !skips(kSkipCascadedRoot)) {
        const bool used = Holds(kReqNeNetworkConfig, neId, address, [&](const NeNetworkConfigRec& network) {
            std::vector<IpAddress> own;
            if (!skips(kSkipNeInterfaces)) {
                own.push_back(network.nmeIp);
                own.push_back(network.ugeIp);
            }
            if (!skips(kSkipNeGateway))
                own.push_back(network.gateway);
            if (!skips(kSkipCascadedRoot))
                own.push_back(network.cascadedRootIp);
            return own;
        });
        if (used)
            return true;
    }
    if (!skips(kSkipNeDnsServers) && Holds(kReqNeDns, neId, address, [](const NeDnsServerRec& dns) {
            return std::vector<IpAddress>{dns.first, dns.second, dns.third};
        }))
        return true;
    if (!skips(kSkipSnmpManagers) && Holds(kReqNeSnmpManager, neId, address, [](const NeSnmpManagerRecord& manager) {
            return std::vector<IpAddress>{manager.ipAddress};
        }))
        return true;
    if (!skips(kSkipDhcpRelayServers) &&
        Holds(kReqDhcpRelayServer, neId, address,
              [](const DhcpRelayServerRec& server) { return std::vector<IpAddress>{server.address}; }))
        return true;
    return !skips(kSkipNextHops) &&
           Holds(kReqNextHop, neId, address, [](const NextHopRec& hop) { return std::vector<IpAddress>{hop.address}; });
}
