// The simulated NE's port hub under net-snmp's tools and our direct link: the packet filters and filter groups of an
// ADSL card, the port records, the static filtering-database entries, the next hops and the multicast channels, each
// written by one side and read by the other, with the writes the NE refuses changing nothing.

#include "link/driver_result.h"
#include "link/records/adsl_port_rec.h"
#include "link/records/fdb_entry_rec.h"
#include "link/records/mc_channel_rec.h"
#include "link/records/next_hop_rec.h"
#include "link/records/pkt_filter_group_rec.h"
#include "link/records/pkt_filter_rec.h"
#include "link/records/pvc_key_rec.h"
#include "link/records/request_codes.h"
#include "link/snmp/net_drv_snmp_agent.h"
#include "link/snmp/snmp_request_executor.h"
#include "tarvik_test_paths.h"
#include "tests/link/snmp_test_support.h"
#include "tests/link/snmp_tool_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

const std::string kDataDir = std::string(TARVIK_TEST_DATA_DIR) + "/snmp";
const std::string kR = ".1.3.6.1.4.1.32473.1";
constexpr uint32_t kPort = 10101; // port 1-1-1, whose PVC 0/35 is in VLAN 300 with a MAC limit of 16

using snmp_test::TextLines;

class PortHubInteropTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* tool : {"/usr/bin/snmpget", "/usr/bin/snmpwalk", "/usr/bin/snmpset"})
            ASSERT_TRUE(snmp_test::ToolExists(tool)) << tool << " is missing: run scripts/setup.sh";
        ASSERT_TRUE(agent_.Start({"--scenario", kDataDir + "/ne_agent_ipd48.ini"}));
    }
    std::string Tool(const std::string& tool, const std::vector<std::string>& args, int expectedStatus = 0)
    {
        return snmp_test::RunSnmpTool(tool, "2c", tool == "snmpset" ? "private" : "public",
                                      "127.0.0.1:" + std::to_string(agent_.Port()), args, expectedStatus);
    }
    int Send(uint8_t operation, uint16_t code, const std::vector<uint8_t>& record, SnmpReplyData* reply)
    {
        CSnmpSession session;
        SnmpSessionConfig config;
        config.agent = agent_.Endpoint();
        config.community = "private";
        config.version = SnmpVersion::V2c;
        EXPECT_EQ(session.Open(config), kDrvOk);
        CSnmpRequestExecutor executor(DefaultSnmpRequestMap(), session);
        EmsMsg request;
        BuildEmsMsg(&request, operation, code, static_cast<uint32_t>(record.size()), record.data(), 1);
        return executor.Execute(request, reply);
    }
    template <class Rec, class Body> std::vector<Rec> Query(uint16_t code, const Body& body)
    {
        const auto bytes = EncodeRecord(body);
        SnmpReplyData reply;
        EXPECT_EQ(Send(kEmsOpQuery, code, {bytes.begin(), bytes.end()}, &reply), kDrvOk);
        std::vector<Rec> records;
        if (reply.count != 0) {
            EXPECT_TRUE(DecodeRecords(reply.records.data(), reply.count, reply.recordSize, &records));
        }
        return records;
    }
    template <class Rec> int Write(uint16_t code, const Rec& rec)
    {
        const auto bytes = EncodeRecord(rec);
        SnmpReplyData reply;
        return Send(kEmsOpModify, code, {bytes.begin(), bytes.end()}, &reply);
    }

    snmp_test::CAgentProcess agent_;
};

// Every ADSL card holds nine filters a direction and seven groups from the start; a filter the tools write the driver
// reads among its card's, and values out of the NE's ranges are refused whole.
TEST_F(PortHubInteropTest, PacketFiltersAndGroupsOfACard)
{
    const std::vector<std::string> names = TextLines(Tool("snmpwalk", {kR + ".635.1.4.1"}));
    ASSERT_EQ(names.size(), 18u);
    EXPECT_EQ(names.front(), kR + ".635.1.4.1.1.1 = \"usfcf1\"");
    EXPECT_EQ(names[2], kR + ".635.1.4.1.1.3 = \"useof1\"");
    EXPECT_EQ(names.back(), kR + ".635.1.4.1.2.9 = \"dskf5\"");

    const std::string filter = ".1.1.3"; // slot 1, upstream, Ether-type-only filter 1
    Tool("snmpset", {kR + ".635.1.4" + filter, "s", "ipv6-drop", kR + ".635.1.5" + filter, "i", "34525",
                     kR + ".635.1.11" + filter, "i", "2", kR + ".635.1.12" + filter, "u", "1"});
    PktFilterRec card;
    card.slot = 1;
    std::vector<PktFilterRec> filters = Query<PktFilterRec>(kReqPktFilter, card);
    ASSERT_EQ(filters.size(), 18u);
    EXPECT_TRUE(std::all_of(filters.begin(), filters.end(), [](const PktFilterRec& rec) { return rec.slot == 1; }));
    const auto written =
        std::find_if(filters.begin(), filters.end(), [](const PktFilterRec& rec) { return rec.name == "ipv6-drop"; });
    ASSERT_NE(written, filters.end());
    EXPECT_EQ(*written, (PktFilterRec{1, 1, 3, "ipv6-drop", 0x86DD, -1, -1, 16, -1, 16, 2, 1}));

    // An action beyond unmatch-drop, and a prefix of 10 bits: nothing of either SET is kept.
    Tool("snmpset", {kR + ".635.1.4" + filter, "s", "other", kR + ".635.1.11" + filter, "i", "4"}, 2);
    PktFilterRec fully = *written;
    fully.filterNumber = 1;
    fully.name = "web";
    fully.sourcePort = 80;
    fully.sourcePrefixBits = 10;
    EXPECT_NE(Write(kReqPktFilter, fully), kDrvOk);
    EXPECT_EQ(Tool("snmpget", {kR + ".635.1.4" + filter, kR + ".635.1.4.1.1.1"}),
              kR + ".635.1.4" + filter + " = \"ipv6-drop\"\n" + kR + ".635.1.4.1.1.1 = \"usfcf1\"\n");

    // A downstream group takes no known filter; an upstream one does.
    EXPECT_EQ(TextLines(Tool("snmpwalk", {kR + ".636.1.4.1"})).size(), 7u);
    EXPECT_NE(Write(kReqPktFilterGroup, PktFilterGroupRec{1, 2, 1, "dsg1", 0x10, 1}), kDrvOk);
    ASSERT_EQ(Write(kReqPktFilterGroup, PktFilterGroupRec{1, 1, 2, "no-netbios", 0x15, 1}), kDrvOk);
    EXPECT_EQ(Tool("snmpget", {kR + ".636.1.4.1.1.2", kR + ".636.1.5.1.1.2", kR + ".636.1.5.1.2.1"}),
              kR + ".636.1.4.1.1.2 = \"no-netbios\"\n" + kR + ".636.1.5.1.1.2 = 21\n" + kR + ".636.1.5.1.2.1 = 0\n");
}

// A port write names profiles the NE holds and groups its card has; the NE keeps the line state its own.
TEST_F(PortHubInteropTest, APortsProfilesAndFilterGroups)
{
    AdslPortRec port;
    port.entityId = kPort;
    std::vector<AdslPortRec> read = Query<AdslPortRec>(kReqAdslPort, port);
    ASSERT_EQ(read.size(), 1u);
    AdslPortRec changed = read.front();
    changed.lineProfile = "video-16M";
    changed.upstreamFilterGroups = 0x4;
    changed.downstreamFilterGroups = 0x9;
    changed.operState = 2;
    ASSERT_EQ(Write(kReqAdslPort, changed), kDrvOk);
    EXPECT_EQ(
        Tool("snmpget", {kR + ".630.1.3.10101", kR + ".630.1.7.10101", kR + ".630.1.11.10101", kR + ".630.1.12.10101"}),
        kR + ".630.1.3.10101 = \"video-16M\"\n" + kR + ".630.1.7.10101 = " + std::to_string(read.front().operState) +
            "\n" + kR + ".630.1.11.10101 = 4\n" + kR + ".630.1.12.10101 = 9\n");

    Tool("snmpset", {kR + ".630.1.3.10101", "s", "no-such-profile"}, 2);
    Tool("snmpset", {kR + ".630.1.11.10101", "u", "8"}, 2); // an upstream group 4
    read = Query<AdslPortRec>(kReqAdslPort, port);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read.front().lineProfile, "video-16M");
    EXPECT_EQ(read.front().upstreamFilterGroups, 4u);

    // A card lists its ports.
    AdslPortRec card;
    card.entityId = 10100;
    EXPECT_GE(Query<AdslPortRec>(kReqAdslPort, card).size(), 2u);
}

// A static entry is a row the tools create by its port, PVC and MAC; the NE sets its status and the PVC's VLAN, and
// refuses a MAC it reserves or one it holds already.
TEST_F(PortHubInteropTest, StaticFilteringDatabaseEntries)
{
    const std::string entry = ".10101.0.35.6.0.17.34.51.68.85"; // 00:11:22:33:44:55 on 1-1-1 0/35
    Tool("snmpset", {kR + ".478.1.7" + entry, "i", "4"});
    EXPECT_EQ(Tool("snmpget", {kR + ".478.1.5" + entry, kR + ".478.1.6" + entry}),
              kR + ".478.1.5" + entry + " = 7\n" + kR + ".478.1.6" + entry + " = 300\n");

    FdbQueryRec card;
    card.entityId = 10100;
    std::vector<FdbEntryRec> listed = Query<FdbEntryRec>(kReqStaticFdb, card);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed.front().mac, (std::array<uint8_t, 6>{0x00, 0x11, 0x22, 0x33, 0x44, 0x55}));
    FdbQueryRec otherCard;
    otherCard.entityId = 10200;
    EXPECT_TRUE(Query<FdbEntryRec>(kReqStaticFdb, otherCard).empty());

    // The same MAC on the other port's PVC, a group MAC, a PVC the port lacks.
    Tool("snmpset", {kR + ".478.1.7.10102.0.35.6.0.17.34.51.68.85", "i", "4"}, 2);
    FdbEntryRec group;
    group.portId = kPort;
    group.vci = 35;
    group.mac = {0x01, 0x00, 0x5E, 0x00, 0x00, 0x01};
    SnmpReplyData reply;
    const auto groupBytes = EncodeRecord(group);
    EXPECT_NE(Send(kEmsOpModify, kReqStaticFdbAdd, {groupBytes.begin(), groupBytes.end()}, &reply), kDrvOk);
    Tool("snmpset", {kR + ".478.1.7.10101.0.99.6.0.17.34.51.68.86", "i", "4"}, 2);
    EXPECT_EQ(TextLines(Tool("snmpwalk", {kR + ".478.1.1"})).size(), 1u);

    const auto entryBytes = EncodeRecord(listed.front());
    ASSERT_EQ(Send(kEmsOpModify, kReqStaticFdbDelete, {entryBytes.begin(), entryBytes.end()}, &reply), kDrvOk);
    EXPECT_EQ(Tool("snmpwalk", {kR + ".478"}).find(".478.1."), std::string::npos);
}

// The NE holds at most four next hops, and counts them.
TEST_F(PortHubInteropTest, NextHopsAndTheirCount)
{
    EXPECT_EQ(Tool("snmpget", {kR + ".428.0.1"}), kR + ".428.0.1 = 1\n");
    for (const char* name : {"b", "c", "d"}) {
        const std::string index = ".1." + std::to_string(static_cast<int>(name[0]));
        Tool("snmpset", {kR + ".425.1.2" + index, "a", "192.0.2." + std::to_string(static_cast<int>(name[0])),
                         kR + ".425.1.3" + index, "u", "10", kR + ".425.1.6" + index, "i", "4"});
    }
    SnmpReplyData count;
    ASSERT_EQ(Send(kEmsOpQuery, kReqNextHopCount, {0, 0}, &count), kDrvOk);
    ASSERT_EQ(count.records.size(), 2u);
    EXPECT_EQ(count.records[0], 4u);

    NextHopRec fifth;
    fifth.name = "e";
    fifth.address = {192, 0, 2, 50};
    fifth.vlanId = 10;
    fifth.state = 1;
    const auto bytes = EncodeRecord(fifth);
    EXPECT_NE(Send(kEmsOpModify, kReqNextHopAdd, {bytes.begin(), bytes.end()}, &count), kDrvOk);
    EXPECT_EQ(Tool("snmpget", {kR + ".428.0.1"}), kR + ".428.0.1 = 4\n");
}

// A port's multicast channel is the row of its port: the tools add one that the driver lists among its card's, the
// driver's add on a port that has a channel replaces it, and a delete destroys the row.
TEST_F(PortHubInteropTest, MulticastChannelsOfPorts)
{
    EXPECT_EQ(TextLines(Tool("snmpwalk", {kR + ".470.1.1"})).size(), 2u) << "the scenario's two";
    EXPECT_EQ(Tool("snmpget", {kR + ".470.1.4.10103", kR + ".470.1.6.10103"}),
              kR + ".470.1.4.10103 = 100\n" + kR + ".470.1.6.10103 = \"basic\"\n");
    Tool("snmpset", {kR + ".470.1.8.10101", "i", "4", kR + ".470.1.2.10101", "u", "0", kR + ".470.1.3.10101", "u",
                     "80", kR + ".470.1.4.10101", "u", "300", kR + ".470.1.5.10101", "u", "3", kR + ".470.1.6.10101",
                     "s", "basic", kR + ".470.1.7.10101", "u", "1"});

    PvcKeyRec card;
    card.portId = 10100;
    std::vector<McChannelRec> listed = Query<McChannelRec>(kReqMcChannel, card);
    ASSERT_EQ(listed.size(), 3u);
    const McChannelRec added = listed.front();
    EXPECT_EQ(added.portId, 10101u);
    EXPECT_EQ(added.vci, 80);
    EXPECT_EQ(added.vlanId, 300);
    EXPECT_EQ(added.channelLimit, 3);
    EXPECT_EQ(added.profile, "basic");
    EXPECT_EQ(added.adminState, 1u);
    PvcKeyRec otherCard;
    otherCard.portId = 10200;
    EXPECT_TRUE(Query<McChannelRec>(kReqMcChannel, otherCard).empty());

    McChannelRec replacing = listed[1];
    ASSERT_EQ(replacing.portId, 10103u);
    replacing.vci = 90;
    replacing.channelLimit = 5;
    EXPECT_EQ(Write(kReqMcChannelAdd, replacing), kDrvOk);
    EXPECT_EQ(Tool("snmpget", {kR + ".470.1.3.10103", kR + ".470.1.5.10103"}),
              kR + ".470.1.3.10103 = 90\n" + kR + ".470.1.5.10103 = 5\n");
    EXPECT_EQ(Write(kReqMcChannelDelete, listed[2]), kDrvOk);
    EXPECT_EQ(TextLines(Tool("snmpwalk", {kR + ".470.1.1"})),
              (std::vector<std::string>{kR + ".470.1.1.10101 = 10101", kR + ".470.1.1.10103 = 10103"}));
}

} // namespace
