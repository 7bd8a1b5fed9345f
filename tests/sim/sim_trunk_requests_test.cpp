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

#include <string>
#include <vector>

namespace {

constexpr uint32_t kNow = 1700000000;
constexpr uint32_t kPort1 = 10501; // North-1, the IPD-12 of the test world: slot 5, GE1 and GE2
constexpr uint32_t kPort2 = 10502;

struct Answer {
    bool ok = false;
    std::string refusal;
    std::vector<uint8_t> records;
    uint32_t count = 0;

    template <class Rec> std::vector<Rec> Records() const
    {
        std::vector<Rec> out(count);
        for (uint32_t i = 0; i < count; ++i)
            DecodeRecord(records.data() + static_cast<size_t>(i) * kRecordSize<Rec>, kRecordSize<Rec>, &out[i]);
        return out;
    }
};

class SimTrunkRequestsTest : public ::testing::Test {
protected:
    SimTrunkRequestsTest()
    {
        const std::string models = std::string(TARVIK_RESOURCES_DIR) + "/EntConf/";
        ReplaceEntityModels(
            LoadEntityModelSet(models + "EntInfo.dat", models + "EntAlm.dat", models + "EntSkin.dat").models);
        SimScenario world;
        std::string error;
        EXPECT_TRUE(LoadSimScenario(std::string(TARVIK_TEST_DATA_DIR) + "/server/sim_world.ini", &world, &error))
            << error;
        EXPECT_TRUE(database_.Load(world, kNow, &error)) << error;
        admin_.loggedIn = true;
        admin_.user = "admin";
    }

    template <class Rec> Answer Send(uint8_t operation, uint16_t code, const Rec& record, uint32_t now = kNow)
    {
        Frame frame;
        frame.header.operation = operation;
        frame.header.requestCode = code;
        frame.header.neId = 1;
        frame.header.count = 1;
        frame.header.recordSize = kRecordSize<Rec>;
        frame.header.sequence = ++sequence_;
        const auto bytes = EncodeRecord(record);
        frame.payload.assign(bytes.begin(), bytes.end());
        Answer answer;
        answer.ok = true;
        for (const Frame& reply : handler_.Handle(admin_, frame, now).replies) {
            if (reply.header.operation == kEmsOpTextReply) {
                answer.ok = false;
                answer.refusal.assign(reply.payload.begin(), reply.payload.end());
                answer.refusal.resize(answer.refusal.find('\0'));
                continue;
            }
            answer.ok = answer.ok && reply.header.status == kDrvOk;
            answer.count += reply.header.count;
            answer.records.insert(answer.records.end(), reply.payload.begin(), reply.payload.end());
        }
        return answer;
    }

    CSimDatabase database_;
    CSimRequestHandler handler_{database_, SimHandlerOptions{}};
    SimSession admin_;
    uint32_t sequence_ = 0;
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
    ASSERT_EQ(first.count, 1u);
    ASSERT_EQ(later.count, 1u);
    EXPECT_EQ(first.Records<TrunkPmRec>().front().entityId, kPort1);
    EXPECT_GT(later.Records<TrunkPmRec>().front().incoming.octets, first.Records<TrunkPmRec>().front().incoming.octets);
    const Answer adsl = Send(kEmsOpQuery, kReqTrunkPm, WordRecord{10103});
    EXPECT_FALSE(adsl.ok);
    EXPECT_EQ(adsl.refusal, "No such trunk port");
}

} // namespace
