// The static IP ranges of a PVC against the addresses in use, as the lists read at NE id 0 hold them: ranges that
// overlap or hold addresses no host may have are incorrect, ranges that hold an address in use are reserved, and a
// list that cannot be read (its failure box shown) holds nothing, so the test it serves passes.

#include "tests/link/scripted_ems_channel.h"

#include "link/headless_link_ui.h"

#include "core/util/ip_address.h"
#include "features/provisioning/pvcs/static_ip_range_check.h"
#include "link/records/dhcp_relay_server_rec.h"
#include "link/records/ne_dns_server_rec.h"
#include "link/records/ne_network_config_rec.h"
#include "link/records/ne_snmp_manager_record.h"
#include "link/records/next_hop_rec.h"
#include "ui/framework/messages/string_ids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <utility>
#include <vector>

namespace {

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

    StaticIpRangeCheck Check(const PvcStaticIps& ranges, uint32_t failureTextId = 0)
    {
        EmsChannel channel = peer_.Channel();
        auto ask = channel.request;
        channel.request = [this, ask](EmsMsg& request, EmsMsg** reply, uint32_t text, int32_t timeout, bool wait) {
            asked_.insert(request.neId);
            order_.push_back(request.requestCode);
            return ask(request, reply, text, timeout, wait);
        };
        return CheckStaticIpRanges(ranges, failureTextId, CRecordRequests(channel));
    }

    CScriptedEmsChannel peer_;
    std::set<uint32_t> asked_;
    std::vector<uint16_t> order_;
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
    // The lists are read at NE id 0.
    EXPECT_EQ(asked_, std::set<uint32_t>{0});
}

TEST_F(StaticIpRangeCheckTest, AListThatCannotBeReadHoldsNothingAndSaysSo)
{
    struct Row {
        const char* name;
        std::function<void(CScriptedEmsChannel&)> fail;
        IpAddress held; // in use by the list that fails: passed
    };
    for (const Row& row : {
             Row{"the network record",
                 [](CScriptedEmsChannel& peer) { peer.Fail(kReqNeNetworkConfig, kDrvTimeout); },
                 {10, 0, 0, 5}},
             Row{"the next hops",
                 [](CScriptedEmsChannel& peer) { peer.Fail(kReqNextHop, kDrvRejected); },
                 {192, 0, 2, 200}},
             Row{"the DNS servers",
                 [](CScriptedEmsChannel& peer) { peer.Fail(kReqNeDns, kDrvTimeout); },
                 {192, 0, 2, 53}},
             Row{"the relay servers",
                 [](CScriptedEmsChannel& peer) { peer.Fail(kReqDhcpRelayServer, kDrvTextReply); },
                 {198, 51, 100, 67}},
             Row{"the managers",
                 [](CScriptedEmsChannel& peer) { peer.Fail(kReqNeSnmpManager, kDrvNotConnected); },
                 {203, 0, 113, 162}},
         }) {
        SCOPED_TRACE(row.name);
        SetUp();
        row.fail(peer_);
        CHeadlessLinkUi ui;
        SetLinkUi(&ui);
        const StaticIpRangeCheck check = Check(Ranges({{row.held, 1}}), kStrFailToQuery);
        SetLinkUi(nullptr);
        EXPECT_EQ(check.state, StaticIpRangeState::kValid);
        ASSERT_EQ(ui.FailureMessages().size(), 1u);
        EXPECT_EQ(ui.FailureMessages()[0].failureTextId, kStrFailToQuery);
        // The others still count.
        EXPECT_EQ(Check(Ranges({{{192, 0, 2, 52}, 2}})).state,
                  (row.held == IpAddress{192, 0, 2, 53} ? StaticIpRangeState::kValid : StaticIpRangeState::kReserved));
    }
}

// The network record is read first; the lists follow in the order next hops, DNS servers, relay servers, SNMP
// managers, each read for a range judged against them (how often, range by range or once for all, and whether for a
// range that needs none, is the check's own affair).
TEST_F(StaticIpRangeCheckTest, TheNetworkRecordIsReadFirstAndTheListsInTheirOrder)
{
    struct Row {
        const char* name;
        std::vector<std::pair<IpAddress, uint8_t>> ranges;
        bool judgedByTheLists;
    };
    const std::vector<uint16_t> lists = {kReqNextHop.value, kReqNeDns.value, kReqDhcpRelayServer.value,
                                         kReqNeSnmpManager.value};
    for (const Row& row : {
             Row{"no ranges", {}, false},
             Row{"the NE's own address", {{{10, 0, 0, 5}, 1}}, false},
             Row{"an SNMP manager only", {{{203, 0, 113, 162}, 1}}, true},
             Row{"an address no host may have", {{{127, 0, 0, 1}, 1}}, false},
             Row{"two free ranges", {{{192, 0, 2, 10}, 4}, {{192, 0, 2, 20}, 4}}, true},
         }) {
        SCOPED_TRACE(row.name);
        order_.clear();
        Check(Ranges(row.ranges));
        ASSERT_FALSE(order_.empty());
        EXPECT_EQ(order_.front(), kReqNeNetworkConfig.value);
        // The lists as first read.
        std::vector<uint16_t> listsAsked;
        for (auto code = order_.begin() + 1; code != order_.end(); ++code) {
            EXPECT_NE(std::find(lists.begin(), lists.end(), *code), lists.end()) << *code;
            if (std::find(listsAsked.begin(), listsAsked.end(), *code) == listsAsked.end())
                listsAsked.push_back(*code);
        }
        const std::vector<uint16_t> inOrder(lists.begin(), lists.begin() + static_cast<ptrdiff_t>(listsAsked.size()));
        if (row.judgedByTheLists) {
            EXPECT_EQ(listsAsked, lists);
        } else {
            EXPECT_EQ(listsAsked, inOrder);
        }
    }
}

TEST_F(StaticIpRangeCheckTest, AListTheNeDoesNotServeHoldsNothing)
{
    peer_.Fail(kReqDhcpRelayServer, kDrvNotSupported);
    EXPECT_EQ(Check(Ranges({{{198, 51, 100, 64}, 4}})).state, StaticIpRangeState::kValid);
}

} // namespace
