// The simulated server's trunk side: an NE's trunk settings start from its defaults, a write changes what the NE
// lets it change and keeps what the NE reports of itself, an ARP proxy query lists the entries of the selector it
// names, the membership of trunk port 2 is its manual VLAN setting, and the counters are a trunk port's only.

#include <gtest/gtest.h>

#include "core/entity/entity_model_loader.h"
#include "link/driver_result.h"
#include "link/ems_msg.h"
#include "link/records/arp_proxy_entry_rec.h"
#include "link/records/request_codes.h"
#include "link/records/rstp_bridge_rec.h"
#include "link/records/trunk_pm_rec.h"
#include "link/records/trunk_port_rec.h"
#include "link/records/vlan_bit_map_rec.h"
#include "link/records/word_record.h"
#include "sim/server/sim_database.h"
#include "sim/server/sim_request_handler.h"
#include "sim/server/sim_scenario.h"
#include "tests/sim/support/sim_exchange.h"

#include <string>
#include <vector>

namespace {

constexpr uint32_t kNow = 1700000000;
constexpr uint32_t kPort1 = 10501; // North-1, the IPD-12 of the test world: slot 5, GE1 and GE2
constexpr uint32_t kPort2 = 10502;

using Answer = SimAnswer;

class SimTrunkRequestsTest : public ::testing::Test {
protected:
    SimTrunkRequestsTest()
    {
        std::string error;
        EXPECT_TRUE(database_.Load(LoadSimTestWorld(), kNow, &error)) << error;
    }

    template <class Rec> Answer Send(uint8_t operation, uint16_t code, const Rec& record, uint32_t now = kNow)
    {
        return SendRecordToSimHandler(handler_, admin_, {operation, code, 1, now}, record);
    }

    CSimDatabase database_;
    CSimRequestHandler handler_{database_, SimHandlerOptions{}};
    SimSession admin_ = SimAdminSession();
};

TEST_F(SimTrunkRequestsTest, AWriteKeepsWhatTheNeReportsOfItself)
{
    const std::vector<TrunkPortRec> ports = Send(kEmsOpQuery, kReqTrunkPort, TrunkPortRec{}).Records<TrunkPortRec>();
    ASSERT_EQ(ports.size(), 2u);
    EXPECT_EQ(ports[0], (TrunkPortRec{kPort1, 1, 1, 1, 1000000000, 1, 0}));
    // The workstation writes the settings with the read-only fields zero.
    EXPECT_TRUE(Send(kEmsOpModify, kReqTrunkPort, TrunkPortRec{kPort1, 2, 0, 0, 0, 0, 0}).ok);
    const std::vector<TrunkPortRec> after = Send(kEmsOpQuery, kReqTrunkPort, TrunkPortRec{}).Records<TrunkPortRec>();
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[0], (TrunkPortRec{kPort1, 2, 1, 0, 1000000000, 1, 0}));
    EXPECT_EQ(after[1], ports[1]);

    // A setting too: the bridge keeps its address and its counts.
    const uint8_t none = 0;
    const RstpBridgeRec bridge = Send(kEmsOpQuery, kReqRstpBridge, WordRecord{none}).Records<RstpBridgeRec>().at(0);
    RstpBridgeRec written;
    written.maxAge = 30;
    EXPECT_TRUE(Send(kEmsOpModify, kReqRstpBridge, written).ok);
    const RstpBridgeRec kept = Send(kEmsOpQuery, kReqRstpBridge, WordRecord{none}).Records<RstpBridgeRec>().at(0);
    EXPECT_EQ(kept.maxAge, 30u);
    EXPECT_EQ(kept.adminState, 0u);
    EXPECT_EQ(kept.mac, bridge.mac);
    EXPECT_EQ(kept.rootPort, bridge.rootPort);
}

TEST_F(SimTrunkRequestsTest, AnArpProxyQueryListsTheEntriesOfItsSelector)
{
    const auto entries = [this](uint32_t selector, uint32_t entity) {
        return Send(kEmsOpQuery, kReqArpProxyEntry, ArpProxyEntryQueryRec{selector, entity, {}})
            .Records<ArpProxyEntryRec>();
    };
    const std::vector<ArpProxyEntryRec> trunk2 = entries(2, 10500);
    ASSERT_EQ(trunk2.size(), 1u);
    EXPECT_EQ(trunk2.front().portId, kPort2);
    const std::vector<ArpProxyEntryRec> card = entries(10100, 10100);
    ASSERT_FALSE(card.empty());
    for (const ArpProxyEntryRec& entry : card)
        EXPECT_EQ(entry.portId / 100, 101u) << entry.portId;
    EXPECT_TRUE(entries(10300, 10300).empty()) << "a card without entries";
}

TEST_F(SimTrunkRequestsTest, TrunkPort2sMembershipIsItsManualVlanSetting)
{
    VlanBitMapRec manual;
    manual.entityId = kPort2;
    manual.vlans[1] = 0x01; // VLAN 15
    EXPECT_TRUE(Send(kEmsOpModify, kReqTrunkVlan, manual).ok);
    const std::vector<VlanBitMapRec> member =
        Send(kEmsOpQuery, kReqTrunkVlanMember, VlanBitMapRec{kPort2, {}}).Records<VlanBitMapRec>();
    ASSERT_EQ(member.size(), 1u);
    EXPECT_EQ(member.front(), manual);
    EXPECT_FALSE(Send(kEmsOpModify, kReqTrunkVlanMember, manual).ok) << "the membership is read only";
}

TEST_F(SimTrunkRequestsTest, CountersAreATrunkPortsAndGrowWithTime)
{
    const Answer first = Send(kEmsOpQuery, kReqTrunkPm, WordRecord{kPort1});
    const Answer later = Send(kEmsOpQuery, kReqTrunkPm, WordRecord{kPort1}, kNow + 10);
    ASSERT_EQ(first.records.size(), 1u);
    ASSERT_EQ(later.records.size(), 1u);
    EXPECT_EQ(first.Records<TrunkPmRec>().front().entityId, kPort1);
    EXPECT_GT(later.Records<TrunkPmRec>().front().incoming.octets, first.Records<TrunkPmRec>().front().incoming.octets);
    const Answer adsl = Send(kEmsOpQuery, kReqTrunkPm, WordRecord{10103});
    EXPECT_FALSE(adsl.ok);
    EXPECT_EQ(adsl.refusal, "No such trunk port");
}

} // namespace
