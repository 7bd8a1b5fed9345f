// The typed requests: a record family added, read and deleted as a dialog does it, through each link against its
// simulated peer (the add and delete codes reach the direct link through the catalogue); and the reply rules at the
// driver's boundary: a text reply's text, a refusal's records, a reply too short for its record. The record a call
// takes is the one its code carries: the compiler refuses another, or a bare number, and a query body of a size the
// catalogue does not give the code is not sent.

#include "link/record_requests.h"
#include "link/records/alarm_query_rec.h"
#include "link/records/alarm_trigger_rec.h"
#include "link/records/location_record.h"
#include "link/records/ne_alarm_log_range_rec.h"
#include "link/records/ne_alarm_log_rec.h"
#include "link/records/ne_snmp_community_record.h"
#include "link/records/ne_time_record.h"
#include "link/records/word_record.h"
#include "link/snmp/net_drv_snmp_agent.h"
#include "tests/link/server_sim_fixture.h"
#include "tests/link/snmp_test_support.h"
#include "ui/framework/messages/string_ids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <concepts>
#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace {

constexpr uint32_t kNe = 1;

bool Holds(const std::vector<NeSnmpCommunityRecord>& records, const NeSnmpCommunityRecord& wanted)
{
    return std::find(records.begin(), records.end(), wanted) != records.end();
}

// `peerReason`: the text the peer refuses a taken key with, in a text reply; none: the refusal is a result code.
void AddReadDelete(CNetDrv& driver, const CHeadlessLinkUi& linkUi, const std::optional<std::string>& peerReason)
{
    const CRecordRequests requests(DriverChannel(driver));
    const NeSnmpCommunityRecord ops{"ops", 2, 1};
    ASSERT_TRUE(requests.Add(kReqNeSnmpCommunity, kNe, ops).Ok());
    auto read = requests.Query<NeSnmpCommunityRecord>(kReqNeSnmpCommunity, kNe);
    ASSERT_TRUE(read.Ok()) << read.text;
    EXPECT_TRUE(Holds(read.records, ops));

    const auto again = requests.Add(kReqNeSnmpCommunity, kNe, ops, {.failureTextId = kStrAddingNewDataFailed});
    EXPECT_FALSE(again.Ok());
    if (peerReason) {
        EXPECT_EQ(again.result, kDrvTextReply);
        EXPECT_EQ(again.text, *peerReason);
    } else {
        EXPECT_EQ(again.text, GetDriverErrorText(again.result));
    }
    ASSERT_EQ(linkUi.FailureMessages().size(), 1u);
    EXPECT_EQ(linkUi.FailureMessages()[0].failureTextId, kStrAddingNewDataFailed);
    EXPECT_EQ(linkUi.FailureMessages()[0].errorText, again.text);

    ASSERT_TRUE(requests.Delete(kReqNeSnmpCommunity, kNe, ops).Ok());
    read = requests.Query<NeSnmpCommunityRecord>(kReqNeSnmpCommunity, kNe);
    ASSERT_TRUE(read.Ok());
    EXPECT_FALSE(Holds(read.records, ops));
}

class RecordRequestsServerTest : public server_test::SimLinkTest {};

TEST_F(RecordRequestsServerTest, AFamilyIsAddedReadAndDeleted)
{
    ASSERT_EQ(Login("admin", "admin"), kDrvOk);
    AddReadDelete(*driver_, linkUi_, "Record already exists");
}

TEST(RecordRequestsDirectTest, AFamilyIsAddedReadAndDeleted)
{
    CHeadlessLinkUi linkUi;
    SetLinkUi(&linkUi);
    snmp_test::CAgentProcess agent;
    ASSERT_TRUE(agent.Start());
    SnmpLinkSettings settings;
    settings.trapPort = snmp_test::FreeUdpPort();
    settings.pollIntervalS = 0;
    CNetDrvSnmpAgent driver(settings, [](const std::array<uint8_t, 4>&, int32_t) { return SnmpEchoResult::Reachable; });
    ASSERT_EQ(driver.Start(), kDrvOk);
    ASSERT_EQ(driver.EmsConnect(snmp_test::kLoopback, agent.Port(), "qurim", "private"), kDrvOk);
    AddReadDelete(driver, linkUi, std::nullopt);
    SetLinkUi(nullptr);
}

// What the driver answers, and what the caller gets from a query of communities.
struct ReplyRow {
    const char* name;
    int result;
    uint8_t operation;
    uint32_t recordSize;
    std::vector<uint8_t> records;
    int expectedResult;
    std::string expectedText;
    size_t expectedRecords;
    bool failureBox;
    uint16_t codeShift = 0; // the reply names the request's code plus this
};

TEST(RecordRequestsReplyTest, ResultTextAndRecordsOfEachReply)
{
    const auto community = EncodeRecord(NeSnmpCommunityRecord{"ops", 2, 1});
    const std::vector<uint8_t> oneRecord(community.begin(), community.end());
    const std::string text = "NE unreachable";
    std::vector<uint8_t> textRecord(text.begin(), text.end());
    textRecord.push_back(0);
    const ReplyRow rows[] = {
        {"records", kDrvOk, kEmsOpReply, kNeSnmpCommunityRecordSize, oneRecord, kDrvOk, "", 1, false},
        {"text reply", kDrvTextReply, kEmsOpTextReply, 15, textRecord, kDrvTextReply, text, 0, false},
        {"refusal with records", kDrvRejected, kEmsOpReply, kNeSnmpCommunityRecordSize, oneRecord, kDrvRejected,
         GetDriverErrorText(kDrvRejected), 1, false},
        {"records too short",
         kDrvOk,
         kEmsOpReply,
         kNeSnmpCommunityRecordSize - 1,
         {oneRecord.begin(), oneRecord.end() - 1},
         kDrvInvalidFormat,
         GetDriverErrorText(kDrvInvalidFormat),
         0,
         true},
        {"reply naming another code", kDrvOk, kEmsOpReply, kNeSnmpCommunityRecordSize, oneRecord, kDrvOk, "", 0, false,
         1},
        {"reply of another operation", kDrvOk, kEmsOpQuery, kNeSnmpCommunityRecordSize, oneRecord, kDrvOk, "", 0, false},
    };
    for (const ReplyRow& row : rows) {
        SCOPED_TRACE(row.name);
        CHeadlessLinkUi linkUi;
        SetLinkUi(&linkUi);
        EmsMsg answer;
        std::vector<uint8_t> sent;
        EmsChannel channel;
        channel.request = [&](EmsMsg& request, EmsMsg** reply, uint32_t, int32_t, bool) {
            sent.assign(static_cast<const uint8_t*>(request.records),
                        static_cast<const uint8_t*>(request.records) + EmsRecordBytes(request));
            answer.operation = row.operation;
            answer.requestCode = static_cast<uint16_t>(request.requestCode + row.codeShift);
            answer.recordSize = row.recordSize;
            answer.count = static_cast<int32_t>(row.records.size() / row.recordSize);
            answer.total = 7;
            answer.records = row.records.data();
            *reply = &answer;
            return row.result;
        };
        const auto reply = CRecordRequests(channel).Query<NeSnmpCommunityRecord>(kReqNeSnmpCommunity, kNe,
                                                                                 {.failureTextId = kStrFailToQuery});
        EXPECT_EQ(sent, std::vector<uint8_t>(kNeSnmpCommunityRecordSize, 0)) << "a record of zeros, as catalogued";
        EXPECT_EQ(reply.result, row.expectedResult);
        EXPECT_EQ(reply.text, row.expectedText);
        EXPECT_EQ(reply.records.size(), row.expectedRecords);
        EXPECT_EQ(reply.total, 7u);
        EXPECT_EQ(linkUi.FailureMessages().size(), row.failureBox ? 1u : 0u);
        SetLinkUi(nullptr);
    }

    // A family without the sibling asked for sends nothing.
    bool called = false;
    EmsChannel channel;
    channel.request = [&](EmsMsg&, EmsMsg**, uint32_t, int32_t, bool) { return called = true, kDrvOk; };
    EXPECT_EQ(CRecordRequests(channel).Add(kReqNeTime, kNe, NeTimeRecord{}).result, kDrvInvalidParameter);
    EXPECT_FALSE(called);
}

// Whether each call compiles with a code of type Code and a record of type Rec.
template <typename Wanted, typename Code>
concept QueryCompiles = requires(const CRecordRequests& requests, Code code)
{
    requests.template Query<Wanted>(code, kNe);
};
template <typename Code, typename Body>
concept KeyedQueryCompiles = requires(const CRecordRequests& requests, Code code, const Body& body)
{
    requests.Query(code, kNe, body);
};
template <typename Code, typename Rec>
concept WritesCompile = requires(const CRecordRequests& requests, Code code, const Rec& rec)
{
    requests.Modify(code, kNe, rec);
    requests.Modify(code, kNe, std::vector<Rec>{rec});
    requests.Add(code, kNe, rec);
    requests.Delete(code, kNe, rec);
};
template <typename Code, typename Body>
concept ActionCompiles = requires(const CRecordRequests& requests, Code code, const Body& body)
{
    requests.Action(code, kNe, body);
};
template <typename Code>
concept PostCompiles = requires(const CRecordRequests& requests, Code code)
{
    requests.Post(code, kNe);
};

using AlarmTriggerCode = decltype(kReqAlarmTrigger);
static_assert(QueryCompiles<AlarmTriggerRec, AlarmTriggerCode>);
static_assert(!QueryCompiles<LocationRecord, AlarmTriggerCode>, "a query decodes the record its code carries only");
static_assert(!QueryCompiles<AlarmTriggerRec, int>, "a bare number is no code");
static_assert(KeyedQueryCompiles<AlarmTriggerCode, AlarmTriggerQueryRec>);
static_assert(!KeyedQueryCompiles<int, AlarmTriggerQueryRec>);
static_assert(WritesCompile<AlarmTriggerCode, AlarmTriggerRec>);
static_assert(!WritesCompile<AlarmTriggerCode, LocationRecord>, "a family writes its own record");
static_assert(!WritesCompile<uint16_t, AlarmTriggerRec>);
static_assert(ActionCompiles<decltype(kReqCardReset), WordRecord>);
static_assert(!ActionCompiles<decltype(kReqCardReset), NeTimeRecord>, "an action sends the record its code carries");
static_assert(!ActionCompiles<uint16_t, WordRecord>);
static_assert(PostCompiles<decltype(kReqBoardSetting)>);
static_assert(!PostCompiles<int>);

// A query without a template argument leaves the reply to the dispatcher; with a body, or the record named, the
// reply's records are those of the code.
static_assert(std::same_as<decltype(std::declval<CRecordRequests>().Query(kReqAlarmTrigger, kNe)), RequestOutcome>);
static_assert(
    std::same_as<decltype(std::declval<CRecordRequests>().Query(kReqAlarmTrigger, kNe, AlarmTriggerQueryRec{})),
                 RecordReply<AlarmTriggerRec>>);
static_assert(std::same_as<decltype(std::declval<CRecordRequests>().Query<AlarmTriggerRec>(kReqAlarmTrigger, kNe)),
                           RecordReply<AlarmTriggerRec>>);

struct QueryBodyRow {
    const char* name;
    std::function<RecordReply<AlarmTriggerRec>(const CRecordRequests&)> query;
    uint32_t sentSize; // 0: nothing is sent
};

TEST(RecordRequestsQueryBodyTest, ABodyOfAnotherSizeThanTheCataloguesIsNotSent)
{
    const QueryBodyRow rows[] = {
        {"the catalogue's query body",
         [](const CRecordRequests& requests) { return requests.Query(kReqAlarmTrigger, 0, AlarmTriggerQueryRec{}); },
         kAlarmTriggerQueryRecSize},
        {"a record of the family",
         [](const CRecordRequests& requests) { return requests.Query(kReqAlarmTrigger, 0, AlarmTriggerRec{}); },
         kAlarmTriggerRecSize},
        {"neither", [](const CRecordRequests& requests) { return requests.Query(kReqAlarmTrigger, 0, WordRecord{}); },
         0},
    };
    for (const QueryBodyRow& row : rows) {
        SCOPED_TRACE(row.name);
        uint32_t sentSize = 0;
        EmsMsg answer;
        EmsChannel channel;
        channel.request = [&](EmsMsg& request, EmsMsg** reply, uint32_t, int32_t, bool) {
            sentSize = request.recordSize;
            answer.operation = kEmsOpReply;
            answer.requestCode = request.requestCode;
            *reply = &answer;
            return kDrvOk;
        };
        const auto reply = row.query(CRecordRequests(channel));
        EXPECT_EQ(sentSize, row.sentSize);
        EXPECT_EQ(reply.result, row.sentSize != 0 ? kDrvOk : kDrvInvalidParameter);
    }
}

TEST(RecordRequestsQueryBodyTest, ADirectQueryTakesTheDirectLinksRangeAndRecord)
{
    struct Row {
        const char* name;
        std::function<RecordReply<NeAlarmLogRec>(const CRecordRequests&)> query;
        uint32_t sentSize; // 0: nothing is sent
    };
    const Row rows[] = {
        {"a page of the NE's log by entry numbers",
         [](const CRecordRequests& requests) {
             return requests.QueryDirect<NeAlarmLogRec>(kReqAlarmEvent, 1, NeAlarmLogRangeRec{11, 20});
         },
         kNeAlarmLogRangeRecSize},
        {"the server's criteria are no range",
         [](const CRecordRequests& requests) {
             return requests.QueryDirect<NeAlarmLogRec>(kReqAlarmEvent, 1, AlarmQueryRec{});
         },
         0},
        {"a code whose direct record is its own",
         [](const CRecordRequests& requests) {
             return requests.QueryDirect<NeAlarmLogRec>(kReqAlarmTrigger, 1, NeAlarmLogRangeRec{1, 2});
         },
         0},
    };
    NeAlarmLogRec entry;
    entry.recordNo = 11;
    entry.alarmMask = 0x4;
    const auto bytes = EncodeRecord(entry);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        uint32_t sentSize = 0;
        EmsMsg answer;
        EmsChannel channel;
        channel.request = [&](EmsMsg& request, EmsMsg** reply, uint32_t, int32_t, bool) {
            sentSize = request.recordSize;
            answer.operation = kEmsOpReply;
            answer.requestCode = request.requestCode;
            answer.count = 1;
            answer.recordSize = kNeAlarmLogRecSize;
            answer.records = const_cast<uint8_t*>(bytes.data());
            *reply = &answer;
            return kDrvOk;
        };
        const RecordReply<NeAlarmLogRec> reply = row.query(CRecordRequests(channel));
        EXPECT_EQ(sentSize, row.sentSize);
        if (row.sentSize != 0) {
            ASSERT_EQ(reply.records.size(), 1u);
            EXPECT_EQ(reply.records[0], entry);
        } else {
            EXPECT_EQ(reply.result, kDrvInvalidParameter);
        }
    }
}

} // namespace
