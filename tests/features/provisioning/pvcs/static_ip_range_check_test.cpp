// The static IP ranges of a PVC against the addresses the NE uses, as the NE lists them: ranges that overlap or hold
// addresses no host may have are incorrect, ranges that hold an address in use are reserved, and a list that cannot
// be read fails the check rather than passing it.

#include "tests/link/scripted_ems_channel.h"

#include "core/util/ip_address.h"
#include "features/provisioning/pvcs/static_ip_range_check.h"
#include "link/records/dhcp_relay_server_rec.h"
#include "link/records/ne_dns_server_rec.h"
#include "link/records/ne_network_config_rec.h"
#include "link/records/ne_snmp_manager_record.h"
#include "link/records/next_hop_rec.h"
#include "ui/framework/messages/string_ids.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <utility>
#include <vector>

namespace {

constexpr uint32_t kNe = 7;

PvcStaticIps Ranges(std::vector<std::pair<IpAddress, uint8_t>> given)
{
    PvcStaticIps ranges{};
    for (size_t i = 0; i < given.size(); ++i) {
        ranges[i].baseAddress = given[i].first;
        ranges[i].count = given[i].second;
    }
    return ranges;
}

// An NE that uses 10.0.0.5 (its interface), 10.0.0.1 (gateway), 192.0.2.200 (a next hop), 192.0.2.53 (DNS),
// 198.51.100.67 (a DHCP relay server) and 203.0.113.162 (an SNMP manager).
class StaticIpRangeCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        NeNetworkConfigRec own;
        own.nmeIp = {10, 0, 0, 5};
        own.gateway = {10, 0, 0, 1};
        peer_.Answer(kReqNeNetworkConfig, std::vector<NeNetworkConfigRec>{own});
        NextHopRec hop;
        hop.name = "core";
        hop.address = {192, 0, 2, 200};
        peer_.Answer(kReqNextHop, std::vector<NextHopRec>{hop});
        NeDnsServerRec dns;
        dns.first = {192, 0, 2, 53};
        peer_.Answer(kReqNeDns, std::vector<NeDnsServerRec>{dns});
        DhcpRelayServerRec relay;
        relay.address = {198, 51, 100, 67};
        peer_.Answer(kReqDhcpRelayServer, std::vector<DhcpRelayServerRec>{relay});
        NeSnmpManagerRecord manager;
        manager.ipAddress = {203, 0, 113, 162};
        peer_.Answer(kReqNeSnmpManager, std::vector<NeSnmpManagerRecord>{manager});
    }

    StaticIpRangeCheck Check(const PvcStaticIps& ranges)
    {
        EmsChannel channel = peer_.Channel();
        auto ask = channel.request;
        channel.request = [this, ask](EmsMsg& request, EmsMsg** reply, uint32_t text, int32_t timeout, bool wait) {
            asked_.insert(request.neId);
            return ask(request, reply, text, timeout, wait);
        };
        return CheckStaticIpRanges(kNe, ranges, 0, CRecordRequests(channel));
    }

    CScriptedEmsChannel peer_;
    std::set<uint32_t> asked_;
};

TEST_F(StaticIpRangeCheckTest, JudgesEachRangeAgainstTheOthersAndTheNesAddresses)
{
    struct Row {
        const char* name;
        std::vector<std::pair<IpAddress, uint8_t>> ranges;
        StaticIpRangeState state;
        int failedIndex;
    };
    for (const Row& row : {
             Row{"free ranges", {{{192, 0, 2, 10}, 4}, {{192, 0, 2, 14}, 4}}, StaticIpRangeState::kValid, -1},
             Row{"overlapping a later range",
                 {{{192, 0, 2, 10}, 5}, {{192, 0, 2, 14}, 4}},
                 StaticIpRangeState::kIncorrect,
                 0},
             Row{"overlap seen from the later one's view too",
                 {{{192, 0, 2, 30}, 1}, {{192, 0, 2, 1}, 4}, {{192, 0, 2, 3}, 1}},
                 StaticIpRangeState::kIncorrect,
                 1},
             Row{"running into a broadcast address", {{{192, 0, 2, 250}, 6}}, StaticIpRangeState::kIncorrect, 0},
             Row{"past the last address", {{{223, 255, 255, 254}, 4}}, StaticIpRangeState::kIncorrect, 0},
             Row{"a loopback address", {{{127, 0, 0, 1}, 1}}, StaticIpRangeState::kIncorrect, 0},
             Row{"the NE's interface", {{{10, 0, 0, 2}, 8}}, StaticIpRangeState::kReserved, 0},
             Row{"the gateway", {{{10, 0, 0, 1}, 1}}, StaticIpRangeState::kReserved, 0},
             Row{"a next hop", {{{192, 0, 2, 10}, 2}, {{192, 0, 2, 199}, 2}}, StaticIpRangeState::kReserved, 1},
             Row{"a DNS server", {{{192, 0, 2, 50}, 8}}, StaticIpRangeState::kReserved, 0},
             Row{"a DHCP relay server", {{{198, 51, 100, 64}, 4}}, StaticIpRangeState::kReserved, 0},
             Row{"an SNMP manager", {{{203, 0, 113, 160}, 3}}, StaticIpRangeState::kReserved, 0},
             Row{"next to an SNMP manager", {{{203, 0, 113, 163}, 3}}, StaticIpRangeState::kValid, -1},
         }) {
        SCOPED_TRACE(row.name);
        const StaticIpRangeCheck check = Check(Ranges(row.ranges));
        EXPECT_EQ(check.state, row.state);
        EXPECT_EQ(check.failedIndex, row.failedIndex);
    }
    // The NE itself is asked, not the server.
    EXPECT_EQ(asked_, std::set<uint32_t>{kNe});
}

TEST_F(StaticIpRangeCheckTest, AListThatCannotBeReadFailsTheCheck)
{
    for (const auto& fail : std::vector<std::function<void(CScriptedEmsChannel&)>>{
             [](CScriptedEmsChannel& peer) { peer.Fail(kReqNeNetworkConfig, kDrvTimeout); },
             [](CScriptedEmsChannel& peer) { peer.Fail(kReqNextHop, kDrvRejected); },
             [](CScriptedEmsChannel& peer) { peer.Fail(kReqNeDns, kDrvTimeout); },
             [](CScriptedEmsChannel& peer) { peer.Fail(kReqDhcpRelayServer, kDrvTextReply); },
             [](CScriptedEmsChannel& peer) { peer.Fail(kReqNeSnmpManager, kDrvNotConnected); }}) {
        SetUp();
        fail(peer_);
        EXPECT_EQ(Check(Ranges({{{192, 0, 2, 10}, 4}})).state, StaticIpRangeState::kQueryFailed);
    }
}

TEST_F(StaticIpRangeCheckTest, AListTheNeDoesNotServeHoldsNothing)
{
    peer_.Fail(kReqDhcpRelayServer, kDrvNotSupported);
    EXPECT_EQ(Check(Ranges({{{198, 51, 100, 64}, 4}})).state, StaticIpRangeState::kValid);
}

TEST_F(StaticIpRangeCheckTest, NoRangesAskNothing)
{
    EXPECT_EQ(Check({}).state, StaticIpRangeState::kValid);
    EXPECT_EQ(peer_.AskedInAll(), 0);
}

} // namespace
