// Whether an address is already the NE's: each list the caller does not skip is asked for, a list the NE does not
// serve holds nothing, and a list whose query fails shows the failure box and counts as a conflict.

#include "link/ne_ip_conflict.h"

#include "link/headless_link_ui.h"
#include "link/records/ne_dns_server_rec.h"
#include "link/records/ne_network_config_rec.h"
#include "link/records/ne_snmp_manager_record.h"
#include "link/records/ne_time_server_record.h"
#include "link/records/request_codes.h"
#include "tests/link/scripted_ems_channel.h"
#include "ui/framework/messages/string_ids.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr uint32_t kNe = 1;

NeNetworkConfigRec OwnAddresses()
{
    NeNetworkConfigRec own;
    own.nmeIp = {192, 168, 10, 1};
    own.ugeIp = {10, 10, 1, 1};
    own.gateway = {10, 10, 1, 254};
    own.cascadedRootIp = {10, 30, 0, 1};
    return own;
}

void ScriptTheNe(CScriptedEmsChannel& peer)
{
    peer.Answer(kReqNeNetworkConfig, std::vector<NeNetworkConfigRec>{OwnAddresses()});
    peer.Answer(kReqNeDns, std::vector<NeDnsServerRec>{{{10, 0, 0, 53}, {10, 0, 0, 54}, {}}});
    peer.Answer(kReqNeSnmpManager, std::vector<NeSnmpManagerRecord>{{{10, 0, 0, 162}, "traps", 1, 1}});
    NeTimeServerRecord time;
    time.servers = {"10.0.0.123", "time.example.net", ""};
    peer.Answer(kReqNeTimeServer, std::vector<NeTimeServerRecord>{time});
}

struct Case {
    const char* name;
    IpAddress address;
    uint32_t skips;
    std::function<void(CScriptedEmsChannel&)> change; // of the NE's answers
    NeIpConflict expected;
    bool failureBox = false;
};

TEST(CheckNeIpConflict, AnAddressOfTheNesListsIsReservedAndSoIsOneAFailedQueryLeavesUnchecked)
{
    const auto none = [](CScriptedEmsChannel&) {};
    const Case cases[] = {
        {"an interface address", {10, 10, 1, 1}, 0, none, NeIpConflict::kConflict},
        {"the management interface", {192, 168, 10, 1}, 0, none, NeIpConflict::kConflict},
        {"the interfaces skipped", {10, 10, 1, 1}, kConflictSkipInterfaces, none, NeIpConflict::kFree},
        {"the gateway", {10, 10, 1, 254}, 0, none, NeIpConflict::kConflict},
        {"the gateway skipped", {10, 10, 1, 254}, kConflictSkipGateway, none, NeIpConflict::kFree},
        {"the cascaded root", {10, 30, 0, 1}, 0, none, NeIpConflict::kConflict},
        {"the cascaded root skipped", {10, 30, 0, 1}, kConflictSkipCascadedRoot, none, NeIpConflict::kFree},
        {"a DNS server", {10, 0, 0, 54}, 0, none, NeIpConflict::kConflict},
        {"the DNS servers skipped", {10, 0, 0, 54}, kConflictSkipDnsServers, none, NeIpConflict::kFree},
        {"an SNMP manager", {10, 0, 0, 162}, 0, none, NeIpConflict::kConflict},
        {"the managers skipped", {10, 0, 0, 162}, kConflictSkipManagers, none, NeIpConflict::kFree},
        {"a time server given by its address", {10, 0, 0, 123}, 0, none, NeIpConflict::kConflict},
        {"the time servers skipped", {10, 0, 0, 123}, kConflictSkipTimeServers, none, NeIpConflict::kFree},
        {"an address none of the lists has", {10, 0, 0, 99}, 0, none, NeIpConflict::kFree},
        {"a list the NE does not serve holds nothing",
         {10, 0, 0, 54},
         0,
         [](CScriptedEmsChannel& peer) { peer.Fail(kReqNeDns, kDrvNotSupported); },
         NeIpConflict::kFree},
        {"the NE's own addresses not to be had",
         {10, 0, 0, 99},
         0,
         [](CScriptedEmsChannel& peer) { peer.Fail(kReqNeNetworkConfig, kDrvTimeout); },
         NeIpConflict::kConflict,
         true},
        {"a list not to be had, though the address is free",
         {10, 0, 0, 99},
         0,
         [](CScriptedEmsChannel& peer) { peer.Fail(kReqNeSnmpManager, kDrvTimeout); },
         NeIpConflict::kConflict,
         true},
        {"a failed list that is skipped is not asked for",
         {10, 0, 0, 99},
         kConflictSkipManagers,
         [](CScriptedEmsChannel& peer) { peer.Fail(kReqNeSnmpManager, kDrvTimeout); },
         NeIpConflict::kFree},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        CHeadlessLinkUi ui;
        SetLinkUi(&ui);
        CScriptedEmsChannel peer;
        ScriptTheNe(peer);
        test.change(peer);
        EXPECT_EQ(CheckNeIpConflict(test.address, test.skips, kNe, kStrFailToQuery, CRecordRequests(peer.Channel())),
                  test.expected);
        SetLinkUi(nullptr);
        const std::vector<CHeadlessLinkUi::FailureMessage> boxes = ui.FailureMessages();
        ASSERT_EQ(boxes.size(), test.failureBox ? 1u : 0u);
        if (test.failureBox) {
            EXPECT_EQ(boxes[0].failureTextId, kStrFailToQuery);
        }
    }
}

TEST(CheckNeIpConflict, ZeroIsNeverInUseAndNothingIsAsked)
{
    CScriptedEmsChannel peer;
    ScriptTheNe(peer);
    EXPECT_EQ(CheckNeIpConflict({0, 0, 0, 0}, 0, kNe, kStrFailToQuery, CRecordRequests(peer.Channel())),
              NeIpConflict::kFree);
    EXPECT_EQ(peer.AskedInAll(), 0);
}

} // namespace
