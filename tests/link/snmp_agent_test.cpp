// The request codes of the direct link carried out over the wire against the simulated NE agent: the queries and
// writes of the least set, the alarm log ranges, failures of a strict NE, GETBULK against an NE with small messages,
// and the agent's own handling of bad input. Rows added and removed with RowStatus are the typed requests' test
// (record_requests_test).

#include "link/driver_result.h"
#include "link/records/alarm_def_rec.h"
#include "link/records/board_setting_rec.h"
#include "link/records/entity_state_rec.h"
#include "link/records/ne_alarm_log_range_rec.h"
#include "link/records/ne_alarm_log_rec.h"
#include "link/records/ne_key_record.h"
#include "link/records/ne_snmp_community_record.h"
#include "link/records/ne_time_record.h"
#include "link/records/ne_user_account_record.h"
#include "link/snmp/snmp_request_executor.h"
#include "link/snmp/snmp_table_walker.h"
#include "tarvik_test_paths.h"
#include "tests/link/snmp_test_support.h"

#include <gtest/gtest.h>

#include <map>

namespace {

const std::string kDataDir = std::string(TARVIK_TEST_DATA_DIR) + "/snmp";

template <typename Rec> std::vector<Rec> Records(const SnmpReplyData& reply)
{
    std::vector<Rec> out;
    for (uint32_t i = 0; i < reply.count; ++i) {
        Rec rec;
        EXPECT_TRUE(
            DecodeRecord(reply.records.data() + static_cast<size_t>(i) * reply.recordSize, reply.recordSize, &rec));
        out.push_back(rec);
    }
    return out;
}

class SnmpAgentTest : public ::testing::TestWithParam<SnmpVersion> {
protected:
    void StartAgent(std::vector<std::string> args = {})
    {
        ASSERT_TRUE(agent_.Start(std::move(args))) << snmp_test::AgentPath();
        Open("public");
    }
    void Open(const std::string& community)
    {
        SnmpSessionConfig config;
        config.agent = agent_.Endpoint();
        config.community = community;
        config.version = GetParam();
        config.timeoutMs = 1000;
        config.retries = 1;
        session_.Close();
        ASSERT_EQ(session_.Open(config), kDrvOk);
    }
    int Run(uint8_t op, uint16_t code, const void* records, uint32_t size, int32_t count, SnmpReplyData* reply,
            const CSnmpRequestMap& map = DefaultSnmpRequestMap())
    {
        EmsMsg request;
        BuildEmsMsg(&request, op, code, size, records, 1);
        request.count = count;
        CSnmpRequestExecutor executor(map, session_);
        return executor.Execute(request, reply);
    }
    SnmpReplyData Query(uint16_t code, const std::vector<uint8_t>& record = {0})
    {
        SnmpReplyData reply;
        EXPECT_EQ(Run(kEmsOpQuery, code, record.data(), static_cast<uint32_t>(record.size()), 1, &reply), kDrvOk)
            << code;
        EXPECT_EQ(reply.operation, kEmsOpReply);
        EXPECT_EQ(reply.requestCode, code);
        return reply;
    }
    std::vector<uint32_t> LogNumbers(uint16_t code, uint32_t first, uint32_t second)
    {
        auto range = EncodeRecord(NeAlarmLogRangeRec{first, second});
        SnmpReplyData reply = Query(code, {range.begin(), range.end()});
        std::vector<uint32_t> numbers;
        for (const NeAlarmLogRec& rec : Records<NeAlarmLogRec>(reply))
            numbers.push_back(rec.recordNo);
        return numbers;
    }

    snmp_test::CAgentProcess agent_;
    CSnmpSession session_;
};

std::vector<uint32_t> Range(uint32_t first, uint32_t last)
{
    std::vector<uint32_t> v;
    for (uint32_t i = first; i <= last; ++i)
        v.push_back(i);
    return v;
}

TEST_P(SnmpAgentTest, QueriesOfTheLeastSet)
{
    // The NE's own record and clock are read by the direct login end to end (tests/e2e/direct_login_e2e_test.cpp).
    StartAgent();
    // The communities and the users' passwords are secret to a read-only community.
    const std::vector<uint8_t> communityQuery(kNeSnmpCommunityRecordSize, 0);
    const std::vector<uint8_t> userQuery(kNeUserAccountRecordSize, 0);
    EXPECT_EQ(Query(kReqNeSnmpCommunity, communityQuery).count, 0u);
    auto users = Records<NeUserAccountRecord>(Query(kReqNeUserAccount, userQuery));
    // The built-in account and the default one, the shorter name first.
    ASSERT_EQ(users.size(), 2u);
    EXPECT_EQ(users[0], (NeUserAccountRecord{"su", "", 1, 1}));
    EXPECT_EQ(users[1], (NeUserAccountRecord{"qurim", "", 2, 1}));
    Open("private");
    auto communities = Records<NeSnmpCommunityRecord>(Query(kReqNeSnmpCommunity, communityQuery));
    ASSERT_EQ(communities.size(), 2u);
    // Rows come in index order: the length of the name first.
    EXPECT_EQ(communities[0], (NeSnmpCommunityRecord{"public", 1, 1}));
    EXPECT_EQ(communities[1], (NeSnmpCommunityRecord{"private", 2, 1}));
    users = Records<NeUserAccountRecord>(Query(kReqNeUserAccount, userQuery));
    ASSERT_EQ(users.size(), 2u);
    EXPECT_EQ(users[1], (NeUserAccountRecord{"qurim", "qurim", 2, 1}));
    Open("public");

    auto boards = Records<BoardSettingRec>(Query(kReqBoardSetting));
    std::map<uint32_t, uint32_t> boardTypes;
    for (const BoardSettingRec& b : boards)
        boardTypes[b.entityId] = b.onlineType;
    // The fixed positions of model 2's shelf: control module, power, fan and relay module, the model's own.
    EXPECT_EQ(boardTypes, (std::map<uint32_t, uint32_t>{{10500, 20}, {10600, 140}, {10700, 141}, {10800, 142}}));

    auto states = Records<EntityStateRec>(Query(kReqEntityState, {0, 0, 0, 0}));
    std::vector<uint32_t> entities;
    for (const EntityStateRec& s : states) {
        entities.push_back(s.entityId);
        EXPECT_EQ(s.severity, 99);
    }
    // The NE, its shelf, the boards, and the ports of the boards: the control module's two trunk ports, the relay
    // module's inputs and outputs.
    EXPECT_EQ(entities, (std::vector<uint32_t>{1, 10000, 10500, 10501, 10502, 10600, 10700, 10800, 10801, 10802, 10803,
                                               10804, 10805, 10806}));
    EXPECT_EQ(states[0].plannedType, 2u);

    auto defs = Records<AlarmDefRec>(Query(kReqAlarmDef, std::vector<uint8_t>(kAlarmDefRecSize, 0)));
    ASSERT_FALSE(defs.empty());
    EXPECT_EQ(defs[0].modelId, 2u);
    EXPECT_EQ(defs[0].alarmIndex, 0);
    EXPECT_EQ(defs[0].severity, 1u); // "Comm Lost" is critical
    for (const AlarmDefRec& d : defs)
        EXPECT_NE(d.neModelId, 4u) << d.modelId; // nothing of the other NE model

    EXPECT_TRUE(LogNumbers(kReqNeAlarmLog, 0, 10).empty());
    EXPECT_TRUE(LogNumbers(kReqAlarmEvent, 1, 10).empty());

    // Alarm synchronisation is a write: a read-only community cannot ask for it.
    SnmpReplyData reply;
    uint8_t one = 0;
    EXPECT_NE(Run(kEmsOpModify, kReqAlarmSync, &one, 1, 1, &reply), kDrvOk);
    EXPECT_EQ(Run(kEmsOpModify, kReqLogoff, &one, 1, 1, &reply), kDrvOk);
    Open("private");
    EXPECT_EQ(Run(kEmsOpModify, kReqAlarmSync, &one, 1, 1, &reply), kDrvOk);
}

TEST_P(SnmpAgentTest, AlarmLogPagesAndTheLargerNe)
{
    StartAgent({"--scenario", kDataDir + "/ne_agent_ipd48.ini"});
    auto keys = Records<NeKeyRecord>(Query(kReqNeKey));
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].modelId, 4u);
    EXPECT_EQ(keys[0].snmpVersion, 1u);

    EXPECT_EQ(LogNumbers(kReqAlarmEvent, 11, 20), Range(11, 20));
    EXPECT_EQ(LogNumbers(kReqAlarmEvent, 245, 260), Range(245, 250));
    EXPECT_EQ(LogNumbers(kReqAlarmEvent, 0, 3), Range(1, 3));
    EXPECT_TRUE(LogNumbers(kReqAlarmEvent, 300, 400).empty());
    EXPECT_TRUE(LogNumbers(kReqAlarmEvent, 20, 11).empty());
    EXPECT_EQ(LogNumbers(kReqNeAlarmLog, 0, 7), Range(1, 7));
    EXPECT_EQ(LogNumbers(kReqNeAlarmLog, 0, 1000), Range(1, 250));
    EXPECT_TRUE(LogNumbers(kReqNeAlarmLog, 0, 0).empty());

    auto boards = Records<BoardSettingRec>(Query(kReqBoardSetting));
    ASSERT_EQ(boards.size(), 13u); // the last, the expansion shelf's SHDSL card
    EXPECT_EQ(boards[1].entityId, 10200u);
    EXPECT_EQ(boards[1].plannedType, 30u);
    EXPECT_EQ(boards[1].onlineType, 31u);

    auto users = Records<NeUserAccountRecord>(Query(kReqNeUserAccount));
    ASSERT_EQ(users.size(), 3u);
    EXPECT_EQ(users[0].userName, "su"); // the shortest name first
    // A community out of service gives no access.
    Open("retired");
    SnmpReplyData reply;
    EXPECT_EQ(Run(kEmsOpQuery, kReqNeKey, "", 1, 1, &reply), kDrvTimeout);
}

TEST_P(SnmpAgentTest, AlarmLogRangeNeedsItsRecord)
{
    StartAgent();
    SnmpReplyData reply;
    uint8_t one = 0;
    EXPECT_EQ(Run(kEmsOpQuery, kReqAlarmEvent, &one, 1, 1, &reply), kDrvInvalidParameter);
    EXPECT_EQ(Run(kEmsOpQuery, kReqNeAlarmLog, nullptr, 0, 0, &reply), kDrvInvalidParameter);
}

TEST_P(SnmpAgentTest, WritesReachTheNe)
{
    StartAgent();
    Open("private");
    SnmpReplyData reply;

    // The NE clock is set by the direct login end to end.
    // A community's permission.
    auto community = EncodeRecord(NeSnmpCommunityRecord{"public", 2, 1});
    ASSERT_EQ(Run(kEmsOpModify, kReqNeSnmpCommunity, community.data(), kNeSnmpCommunityRecordSize, 1, &reply), kDrvOk);
    auto communities = Records<NeSnmpCommunityRecord>(Query(kReqNeSnmpCommunity));
    EXPECT_EQ(communities[0], (NeSnmpCommunityRecord{"public", 2, 1}));

    // A board's planned type; the slot's entity state follows.
    BoardSettingRec board;
    board.entityId = 10500;
    board.plannedType = 21;
    board.aal5Encapsulation = 0;
    board.taggedMode = 1;
    auto boardBytes = EncodeRecord(board);
    ASSERT_EQ(Run(kEmsOpModify, kReqBoardSetting, boardBytes.data(), kBoardSettingRecSize, 1, &reply), kDrvOk);
    auto boards = Records<BoardSettingRec>(Query(kReqBoardSetting));
    EXPECT_EQ(boards[0].plannedType, 21u);
    EXPECT_EQ(boards[0].onlineType, 20u);
    EXPECT_EQ(boards[0].aal5Encapsulation, 0u);
    EXPECT_EQ(boards[0].taggedMode, 1u);
    auto states = Records<EntityStateRec>(Query(kReqEntityState));
    EXPECT_EQ(states[2].entityId, 10500u);
    EXPECT_EQ(states[2].plannedType, 21u);

    // Two alarm definitions in one request.
    auto defs = Records<AlarmDefRec>(Query(kReqAlarmDef));
    ASSERT_GE(defs.size(), 2u);
    defs[0].severity = 5;
    defs[1].reporting = 0;
    defs[1].suppressionMask = 0x10;
    std::vector<uint8_t> two(2 * kAlarmDefRecSize);
    EncodeRecord(defs[0], two.data());
    EncodeRecord(defs[1], two.data() + kAlarmDefRecSize);
    ASSERT_EQ(Run(kEmsOpModify, kReqAlarmDef, two.data(), kAlarmDefRecSize, 2, &reply), kDrvOk);
    EXPECT_EQ(reply.count, 2u);
    auto after = Records<AlarmDefRec>(Query(kReqAlarmDef));
    EXPECT_EQ(after[0], defs[0]);
    EXPECT_EQ(after[1], defs[1]);
}

TEST_P(SnmpAgentTest, StrictNeRefusals)
{
    StartAgent();
    SnmpReplyData reply;
    const bool v1 = GetParam() == SnmpVersion::V1;
    // A read-only community cannot write.
    auto time = EncodeRecord(NeTimeRecord{0, 978307200, 1, 0});
    EXPECT_EQ(Run(kEmsOpModify, kReqNeTime, time.data(), kNeTimeRecordSize, 1, &reply),
              v1 ? kDrvSnmpNoSuchName : kDrvSnmpGeneralError);
    // Even a SET without bindings gets a response the manager takes.
    EXPECT_EQ(session_.Set({}), v1 ? kDrvSnmpNoSuchName : kDrvSnmpGeneralError);
    // A board the NE does not have.
    Open("private");
    BoardSettingRec board;
    board.entityId = 10100;
    auto bytes = EncodeRecord(board);
    EXPECT_EQ(Run(kEmsOpModify, kReqBoardSetting, bytes.data(), kBoardSettingRecSize, 1, &reply),
              v1 ? kDrvSnmpNoSuchName : kDrvSnmpGeneralError);
    // A record too short for its code.
    constexpr uint32_t kWrongSize = kBoardSettingRecSize - 48;
    EXPECT_EQ(Run(kEmsOpModify, kReqBoardSetting, bytes.data(), kWrongSize, 1, &reply), kDrvInvalidParameter);
}

TEST_P(SnmpAgentTest, GetBulkShrinksToWhatTheNeCanSend)
{
    StartAgent({"--scenario", kDataDir + "/ne_agent_small_messages.ini"});
    const SnmpRequestEntry& defs = *DefaultSnmpRequestMap().Find(kReqAlarmDef);
    std::vector<CSnmpOid> columns;
    for (const SnmpColumnDef& column : defs.columns)
        columns.push_back(defs.ColumnOid(column));
    SnmpWalkOptions options;
    options.useBulk = GetParam() == SnmpVersion::V2c;
    SnmpWalkStats stats;
    std::vector<SnmpWalkRow> rows;
    ASSERT_EQ(WalkSnmpTable(session_, columns, options, &rows, &stats), kDrvOk);
    SnmpWalkOptions byGetNext;
    std::vector<SnmpWalkRow> reference;
    ASSERT_EQ(WalkSnmpTable(session_, columns, byGetNext, &reference), kDrvOk);
    ASSERT_FALSE(rows.empty());
    ASSERT_EQ(rows.size(), reference.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].index, reference[i].index);
        EXPECT_EQ(rows[i].values, reference[i].values);
    }
    if (options.useBulk) {
        EXPECT_GT(stats.tooBigHalvings, 0u);
    }
    // The executor gives the same alarm log either way.
    EXPECT_EQ(LogNumbers(kReqNeAlarmLog, 0, 60), Range(1, 60));
}

TEST_P(SnmpAgentTest, MalformedDatagramsAreCountedAndServiceGoesOn)
{
    StartAgent();
    CUdpSocket raw;
    ASSERT_EQ(raw.Open(snmp_test::kLoopback, 0), 0);
    const std::vector<std::vector<uint8_t>> junk = {
        {0x30, 0x80, 0x02, 0x01, 0x00, 0x00, 0x00},
        {0x30, 0x03, 0x02, 0x01},
        {0x00},
        snmp_test::Hex("302602010004067075626c6963a0190204000000010201000201003009300706032b06010500ff"),
    };
    for (const auto& bytes : junk)
        ASSERT_EQ(raw.SendTo(bytes.data(), bytes.size(), agent_.Endpoint()), 0);
    std::vector<SnmpVarBind> values;
    ASSERT_EQ(session_.Get({CSnmpOid{1, 3, 6, 1, 2, 1, 11, 6, 0}, CSnmpOid{1, 3, 6, 1, 2, 1, 11, 1, 0}}, &values),
              kDrvOk);
    EXPECT_EQ(values[0].value, SnmpValue::Counter32(4));
    EXPECT_EQ(values[1].value, SnmpValue::Counter32(5));
    EXPECT_EQ(agent_.Stop(), 0); // ended cleanly on SIGTERM
}

INSTANTIATE_TEST_SUITE_P(Versions, SnmpAgentTest, ::testing::Values(SnmpVersion::V1, SnmpVersion::V2c),
                         [](const auto& info) { return info.param == SnmpVersion::V1 ? "v1" : "v2c"; });

} // namespace
