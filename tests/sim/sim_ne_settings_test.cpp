// The NE's clock, NE-wide and layer-2 settings as the simulated peers carry them out: the clock runs on and takes
// what is set, each setting keeps its range on both peers, the NE reports its time servers' states and adjusts its
// clock from them, a slot's PPPoE sessions are its ports', and the VLAN MAC limit check counts the VLAN's enabled PVCs.

#include <gtest/gtest.h>

#include "core/entity/entity_model_loader.h"
#include "link/driver_result.h"
#include "link/ems_msg.h"
#include "link/records/cli_prompt_rec.h"
#include "link/records/igmp_setting_rec.h"
#include "link/records/ne_time_record.h"
#include "link/records/ne_time_server_record.h"
#include "link/records/pppoe_session_rec.h"
#include "link/records/protocol_vlan_rec.h"
#include "link/records/pvc_static_ip_entry.h"
#include "link/records/request_codes.h"
#include "link/records/state_period_rec.h"
#include "link/records/vlan_mac_limit_rec.h"
#include "link/records/vlan_setting_rec.h"
#include "link/records/word_record.h"
#include "link/snmp/snmp_request_map.h"
#include "sim/ne_agent/ne_agent_mib.h"
#include "sim/ne_agent/ne_agent_scenario.h"
#include "sim/server/sim_database.h"
#include "sim/server/sim_request_handler.h"
#include "sim/server/sim_scenario.h"
#include "tarvik_test_paths.h"
#include "tests/sim/support/sim_exchange.h"

#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kNow = 1700000000;
constexpr uint32_t kNorth1 = 1; // an IPD-12: one control module, 4 line-card slots
constexpr uint32_t kSouth1 = 2; // an IPD-48: two control modules

using Answer = SimAnswer;

class SimNeSettingsTest : public ::testing::Test {
protected:
    SimNeSettingsTest()
    {
        std::string error;
        EXPECT_TRUE(database_.Load(LoadSimTestWorld(), kNow, &error)) << error;
    }

    template <class Rec>
    Answer Send(uint8_t operation, RequestCode<Rec> code, uint32_t neId, const Rec& record, uint32_t now = kNow)
    {
        return SendRecordToSimHandler(handler_, admin_, {operation, code, neId, now}, record);
    }
    Answer SendBytes(uint8_t operation, uint16_t code, uint32_t neId, const std::vector<uint8_t>& bytes, uint32_t now)
    {
        return SendToSimHandler(handler_, admin_, {operation, code, neId, now}, bytes);
    }
    template <class Rec> Answer Query(RequestCode<Rec> code, uint32_t neId, const Rec& record = {}, uint32_t now = kNow)
    {
        return Send(kEmsOpQuery, code, neId, record, now);
    }
    template <class Rec> Answer Write(RequestCode<Rec> code, uint32_t neId, const Rec& record, uint32_t now = kNow)
    {
        return Send(kEmsOpModify, code, neId, record, now);
    }

    CSimDatabase database_;
    CSimRequestHandler handler_{database_, SimHandlerOptions{}};
    SimSession admin_ = SimAdminSession();
};

TEST_F(SimNeSettingsTest, TheNesClockRunsOnAndTakesWhatIsSet)
{
    const NeTimeRecord first = Query(kReqNeTime, kNorth1).First<NeTimeRecord>();
    EXPECT_EQ(first.upTime, 273600u) << "as the scenario gives it";
    EXPECT_EQ(first.neClock, kNow);
    EXPECT_EQ(first.timeZone, 1);
    const NeTimeRecord later = Query(kReqNeTime, kNorth1, {}, kNow + 5).First<NeTimeRecord>();
    EXPECT_EQ(later.upTime, 273605u);
    EXPECT_EQ(later.neClock, kNow + 5);

    const uint32_t set = 1893553445; // 2030-01-02 03:04:05
    ASSERT_TRUE(Write(kReqNeTime, kNorth1, NeTimeRecord{0, set, -5, 0}, kNow + 10).ok);
    const NeTimeRecord running = Query(kReqNeTime, kNorth1, {}, kNow + 12).First<NeTimeRecord>();
    EXPECT_EQ(running.neClock, set + 2);
    EXPECT_EQ(running.timeZone, -5);
    EXPECT_EQ(running.upTime, 273612u) << "the up time is the NE's own";
    EXPECT_EQ(Query(kReqNeTime, kSouth1).First<NeTimeRecord>().neClock, kNow) << "another NE's clock";
}

TEST_F(SimNeSettingsTest, EachSettingKeepsItsRange)
{
    IgmpSettingRec igmp;
    igmp.mode = 1;
    igmp.snoopingAgingTime = 30;
    igmp.snoopingQueryRetries = igmp.proxyQueryRetries = 2;
    igmp.snoopingQueryResponseInterval = igmp.proxyQueryResponseInterval = 100;
    igmp.queryVersion = igmp.reportVersion = 2;
    IgmpSettingRec igmpOff = igmp;
    igmpOff.mode = 0;
    IgmpSettingRec igmpVersion = igmp;
    igmpVersion.queryVersion = 4;

    struct Row {
        const char* what;
        Answer answer;
        const char* refusal; // empty: taken
    };
    const Row rows[] = {
        {"aging 10", Write(kReqMacAging, kNorth1, StatePeriodRec{1, 10}), ""},
        {"aging 5", Write(kReqMacAging, kNorth1, StatePeriodRec{1, 5}), "Aging time out of range"},
        {"aging 1001", Write(kReqMacAging, kNorth1, StatePeriodRec{1, 1001}), "Aging time out of range"},
        {"period 29", Write(kReqRedundancySync, kSouth1, StatePeriodRec{1, 29}), "Synchronization period out of range"},
        {"telnet 1440", Write(kReqTelnetTimeout, kNorth1, WordRecord{1440}), ""},
        {"telnet 0", Write(kReqTelnetTimeout, kNorth1, WordRecord{0}), "Telnet time-out out of range"},
        {"zone 14", Write(kReqNeTime, kNorth1, NeTimeRecord{0, kNow, 14, 0}), "Time zone out of range"},
        {"period of none", Write(kReqNeTimeServer, kNorth1, NeTimeServerRecord{1, 0, {"ntp.example.net"}}),
         "Update period out of range"},
        {"IGMP", Write(kReqIgmpSetting, kNorth1, igmp), ""},
        {"IGMP mode 0", Write(kReqIgmpSetting, kNorth1, igmpOff), "IGMP mode out of range"},
        {"IGMP version 4", Write(kReqIgmpSetting, kNorth1, igmpVersion), "Invalid query version"},
        {"limit 1536 of 4 slots", Write(kReqVlanMacLimit, kNorth1, VlanMacLimitRec{7, 1536, 1}), ""},
        {"limit 1537 of 4 slots", Write(kReqVlanMacLimit, kNorth1, VlanMacLimitRec{7, 1537, 1}),
         "MAC limit out of range"},
        {"VLAN 4095", Write(kReqVlanMacLimit, kNorth1, VlanMacLimitRec{4095, 10, 1}), "VLAN ID out of range"},
        {"prompt", Write(kReqCliPrompt, kNorth1, CliPromptRec{"lab-1", ""}), ""},
        {"blank prompt", Write(kReqCliPrompt, kNorth1, CliPromptRec{"", ""}), "Invalid CLI prompt"},
        {"protocol VLAN without a name", Write(kReqProtocolVlan, kNorth1, ProtocolVlanRec{0x0800, "", 100, 1}),
         "Protocol-based VLAN name is blank"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.answer.refusal, row.refusal) << row.what;
        EXPECT_EQ(row.answer.ok, row.refusal[0] == '\0') << row.what;
    }
    EXPECT_EQ(Query(kReqMacAging, kNorth1).First<StatePeriodRec>().seconds, 10u) << "a refused write changes nothing";
    // With aging off the NE keeps any time, unused.
    EXPECT_TRUE(Write(kReqMacAging, kNorth1, StatePeriodRec{0, 5}).ok);
    EXPECT_EQ(Query(kReqMacAging, kNorth1).First<StatePeriodRec>(), (StatePeriodRec{0, 5}));
}

TEST_F(SimNeSettingsTest, SettingsNobodyWroteReadAsTheNesOwn)
{
    EXPECT_EQ(Query(kReqTelnetTimeout, kSouth1).First<WordRecord>().value, 10u);
    EXPECT_EQ(Query(kReqMacAging, kSouth1).First<StatePeriodRec>(), (StatePeriodRec{1, 300}));
}

TEST_F(SimNeSettingsTest, TheNeReportsItsTimeServersAndAdjustsItsClockFromThem)
{
    ASSERT_TRUE(Write(kReqNeTime, kSouth1, NeTimeRecord{0, kNow + 3600, 0, 0}).ok);
    const NeTimeServerRecord none{0, 60, {"10.1.1.1", "", ""}};
    ASSERT_TRUE(Write(kReqNeTimeServer, kSouth1, none).ok);
    EXPECT_EQ(Query(kReqNeTimeServer, kSouth1).First<NeTimeServerRecord>().firstServerState, 0u) << "no protocol";
    EXPECT_EQ(Write(kReqNeTimeAdjust, kSouth1, WordRecord{0}).refusal, "No network timing source");
    EXPECT_EQ(Query(kReqNeTime, kSouth1).First<NeTimeRecord>().neClock, kNow + 3600);

    const NeTimeServerRecord sntp{1, 60, {"ntp.invalid", "10.1.1.1", ""}};
    ASSERT_TRUE(Write(kReqNeTimeServer, kSouth1, sntp).ok);
    const NeTimeServerRecord states = Query(kReqNeTimeServer, kSouth1).First<NeTimeServerRecord>();
    EXPECT_EQ(states.firstServerState, 3u) << "fail to resolve server name";
    EXPECT_EQ(states.secondServerState, 1u) << "network timing source";
    EXPECT_EQ(states.thirdServerState, 0u) << "not set";
    ASSERT_TRUE(Write(kReqNeTimeAdjust, kSouth1, WordRecord{1}).ok);
    EXPECT_EQ(Query(kReqNeTime, kSouth1).First<NeTimeRecord>().neClock, kNow) << "the servers' time";
}

TEST_F(SimNeSettingsTest, ASynchronisationNeedsAStandbyControlModule)
{
    const std::vector<uint8_t> nothing(1, 0);
    EXPECT_EQ(SendBytes(kEmsOpModify, kReqRedundancySyncNow, kNorth1, nothing, kNow).refusal,
              "No standby control module");
    EXPECT_TRUE(SendBytes(kEmsOpModify, kReqRedundancySyncNow, kSouth1, nothing, kNow).ok);
}

TEST_F(SimNeSettingsTest, ASlotsSessionsAreThoseOfItsPorts)
{
    struct Row {
        uint32_t asked;
        size_t sessions;
    };
    for (const Row row : {Row{10100, 3}, Row{10102, 2}, Row{10101, 1}, Row{10200, 0}}) {
        PppoeSessionRec asked;
        asked.portId = row.asked;
        EXPECT_EQ(Query(kReqPppoeSession, kNorth1, asked).records.size(), row.sessions) << row.asked;
    }
}

TEST_F(SimNeSettingsTest, TheLimitCheckCountsTheVlansEnabledPvcs)
{
    struct Row {
        uint16_t vlan;
        uint32_t units;
    };
    for (const Row row : {Row{100, 24}, Row{200, 0}, Row{7, 0}}) {
        VlanSettingRec check;
        check.vlanId = row.vlan;
        ASSERT_TRUE(Write(kReqVlanMacLimitCheck, kNorth1, check).ok);
        const VlanSettingRec reply = Query(kReqVlanMacLimitCheck, kNorth1, check).First<VlanSettingRec>();
        EXPECT_EQ(reply.vlanId, row.vlan);
        EXPECT_EQ(reply.committedUnits, row.units) << row.vlan;
    }
}

} // namespace

namespace {

// The simulated NE of the tests' IPD-48 (40 line-card slots), answering as over SNMP.
class SimNeAgentSettingsTest : public ::testing::Test {
protected:
    SimNeAgentSettingsTest()
    {
        const std::string models = std::string(TARVIK_RESOURCES_DIR) + "/EntConf/";
        ReplaceEntityModels(
            LoadEntityModelSet(models + "EntInfo.dat", models + "EntAlm.dat", models + "EntSkin.dat").models);
        NeAgentScenario scenario = DefaultNeAgentScenario();
        std::string error;
        EXPECT_TRUE(
            LoadNeAgentScenario(std::string(TARVIK_TEST_DATA_DIR) + "/snmp/ne_agent_ipd48.ini", &scenario, &error))
            << error;
        mib_.Build(scenario, &CurrentEntityModels());
    }

    // The OID of a column of a code's scalar group, or of a table's row of a record.
    template <class Rec> static CSnmpOid Cell(uint16_t code, uint32_t column, const Rec& row = {})
    {
        const SnmpRequestEntry& entry = *DefaultSnmpRequestMap().Find(code);
        CSnmpOid oid = entry.ColumnOid(*entry.FindColumn(column));
        if (entry.kind == SnmpEntryKind::Table)
            oid = oid.Appended(EncodeSnmpRowIndex(entry, EncodeRecord(row).data()));
        return oid;
    }
    // The value a column of the record takes.
    template <class Rec> static SnmpValue Value(uint16_t code, uint32_t column, const Rec& rec)
    {
        const SnmpRequestEntry& entry = *DefaultSnmpRequestMap().Find(code);
        return SnmpColumnValue(*entry.FindColumn(column), EncodeRecord(rec).data());
    }
    int32_t Set(const CSnmpOid& oid, const SnmpValue& value) { return Set(mib_, oid, value); }
    static int32_t Set(CNeAgentMib& mib, const CSnmpOid& oid, const SnmpValue& value)
    {
        SnmpPdu set;
        set.type = SnmpPduType::SetRequest;
        set.varbinds.push_back({oid, value});
        SnmpPdu response;
        mib.Handle(SnmpVersion::V2c, AgentAccess::ReadWrite, set, &response);
        return response.errorStatus;
    }
    SnmpValue Get(const CSnmpOid& oid)
    {
        SnmpPdu get;
        get.type = SnmpPduType::GetRequest;
        get.varbinds.push_back({oid, SnmpValue::Null()});
        SnmpPdu response;
        mib_.Handle(SnmpVersion::V2c, AgentAccess::ReadWrite, get, &response);
        return response.varbinds.empty() ? SnmpValue::Null() : response.varbinds.front().value;
    }

    CNeAgentMib mib_;
};

TEST_F(SimNeAgentSettingsTest, TheNeRefusesASettingOutOfItsRange)
{
    const CSnmpOid aging = Cell<StatePeriodRec>(kReqMacAging, 2);
    EXPECT_EQ(Set(aging, Value(kReqMacAging, 2, StatePeriodRec{0, 5})), kSnmpWrongValue);
    EXPECT_EQ(Get(aging), Value(kReqMacAging, 2, StatePeriodRec{1, 300})) << "the NE's own, unchanged";
    EXPECT_EQ(Set(aging, Value(kReqMacAging, 2, StatePeriodRec{0, 10})), kSnmpNoError);
    EXPECT_EQ(Get(aging), Value(kReqMacAging, 2, StatePeriodRec{0, 10}));

    const VlanMacLimitRec row{4000, 0, 0};
    EXPECT_EQ(Get(Cell(kReqVlanMacLimit, 2, row)), Value(kReqVlanMacLimit, 2, VlanMacLimitRec{4000, 15360, 2}))
        << "every VLAN has a limit: 384 for each of 40 line-card slots";
    EXPECT_EQ(Set(Cell(kReqVlanMacLimit, 2, row), Value(kReqVlanMacLimit, 2, VlanMacLimitRec{4000, 15361, 1})),
              kSnmpWrongValue);
}

TEST_F(SimNeAgentSettingsTest, TheLimitCheckReportsTheUnitsOfTheVlanWritten)
{
    struct Row {
        uint16_t vlan;
        uint32_t units;
    };
    for (const Row row : {Row{100, 40}, Row{7, 0}}) {
        VlanSettingRec check;
        check.vlanId = row.vlan;
        ASSERT_EQ(Set(Cell<VlanSettingRec>(kReqVlanMacLimitCheck, 1), Value(kReqVlanMacLimitCheck, 1, check)),
                  kSnmpNoError);
        check.committedUnits = row.units;
        EXPECT_EQ(Get(Cell<VlanSettingRec>(kReqVlanMacLimitCheck, 2)), Value(kReqVlanMacLimitCheck, 2, check))
            << row.vlan;
    }
}

TEST_F(SimNeAgentSettingsTest, ActionsNeedWhatTheyActOn)
{
    const SnmpRequestEntry& adjust = *DefaultSnmpRequestMap().Find(kReqNeTimeAdjust);
    EXPECT_EQ(Set(adjust.ActionOid(), SnmpValue::Integer(1)), kSnmpNoError) << "its first server serves the time";
    const NeTimeServerRecord none{0, 60, {"ntp.lab.example.net", "", ""}};
    for (uint32_t column : {1u, 2u, 3u})
        ASSERT_EQ(Set(Cell<NeTimeServerRecord>(kReqNeTimeServer, column), Value(kReqNeTimeServer, column, none)),
                  kSnmpNoError);
    EXPECT_EQ(Set(adjust.ActionOid(), SnmpValue::Integer(1)), kSnmpInconsistentValue) << "no protocol, no source";
    EXPECT_EQ(Set(DefaultSnmpRequestMap().Find(kReqRedundancySyncNow)->ActionOid(), SnmpValue::Integer(1)),
              kSnmpNoError)
        << "an IPD-48 has a standby control module";
}

// Destroying a static IP range the NE does not hold leaves nothing to do and is no error; one it holds is kept while
// its PVC is in service.
TEST_F(SimNeAgentSettingsTest, AStaticIpRangeTheNeDoesNotHoldIsDestroyedAsItIs)
{
    const SnmpRequestEntry& ranges = *DefaultSnmpRequestMap().Find(kReqPvcStaticIp);
    const auto rowStatus = [&](const PvcStaticIpEntry& range) {
        return ranges.EntryOid()
            .Appended(ranges.RowStatusColumn())
            .Appended(EncodeSnmpRowIndex(ranges, EncodeRecord(range).data()));
    };
    PvcStaticIpEntry held; // PVC 10101 0/35, in service
    held.portId = 10101;
    held.vci = 35;
    held.baseAddress = {198, 51, 100, 8};
    held.count = 4;
    PvcStaticIpEntry none = held;
    none.portId = 10102;
    ASSERT_EQ(mib_.RowCount(kReqPvcStaticIp), 1u);
    EXPECT_EQ(Set(rowStatus(none), SnmpValue::Integer(kRowStatusDestroy)), kSnmpNoError);
    EXPECT_EQ(Set(rowStatus(held), SnmpValue::Integer(kRowStatusDestroy)), kSnmpInconsistentValue);
    EXPECT_EQ(mib_.RowCount(kReqPvcStaticIp), 1u);
}

TEST_F(SimNeAgentSettingsTest, ACopyOfTheNeCountsByItsOwnClock)
{
    // Copies of the NE (its fuzzer takes one for every input) each read their own clock, also once the NE they were
    // copied from is gone: a day ahead on one copy's clock, its trunk counters have counted a day more.
    auto original = std::make_unique<CNeAgentMib>(mib_);
    CNeAgentMib today = *original;
    CNeAgentMib tomorrow = *original;
    original.reset();
    NeTimeRecord time;
    time.neClock = static_cast<uint32_t>(std::time(nullptr)) + 86400;
    ASSERT_EQ(Set(tomorrow, Cell<NeTimeRecord>(kReqNeTime, 2), Value(kReqNeTime, 2, time)), kSnmpNoError);
    const auto counters = [](CNeAgentMib& mib) {
        SnmpPdu bulk;
        bulk.type = SnmpPduType::GetBulkRequest;
        bulk.errorIndex = 20; // max-repetitions
        bulk.varbinds.push_back({DefaultSnmpRequestMap().Find(kReqTrunkPm)->EntryOid(), SnmpValue::Null()});
        SnmpPdu response;
        mib.Handle(SnmpVersion::V2c, AgentAccess::ReadWrite, bulk, &response);
        std::vector<SnmpValue> values;
        for (const SnmpVarBind& cell : response.varbinds)
            values.push_back(cell.value);
        return values;
    };
    const std::vector<SnmpValue> counted = counters(today);
    ASSERT_EQ(counted.size(), 20u);
    EXPECT_NE(counters(tomorrow), counted);
}

} // namespace
