// The typed requests: a record family added, read and deleted as a dialog does it, through each link against its
// simulated peer (the add and delete codes reach the direct link through the catalogue); and the reply rules at the
// driver's boundary: a text reply's text, a refusal's records, a reply too short for its record.

#include "link/record_requests.h"
#include "link/records/ne_snmp_community_record.h"
#include "link/records/ne_time_record.h"
#include "link/snmp/net_drv_snmp_agent.h"
#include "tests/link/server_sim_fixture.h"
#include "tests/link/snmp_test_support.h"
#include "ui/framework/messages/string_ids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

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
};

TEST(RecordRequestsReplyTest, ResultTextAndRecordsOfEachReply)
{
    const auto community = EncodeRecord(NeSnmpCommunityRecord{"ops", 2, 1});
    const std::vector<uint8_t> oneRecord(community.begin(), community.end());
    const std::string text = "NE unreachable";
    std::vector<uint8_t> textRecord(text.begin(), text.end());
    textRecord.push_back(0);
    const ReplyRow rows[] = {
        {"records", kDrvOk, kEmsOpReply, 32, oneRecord, kDrvOk, "", 1, false},
        {"text reply", kDrvTextReply, kEmsOpTextReply, 15, textRecord, kDrvTextReply, text, 0, false},
        {"refusal with records", kDrvRejected, kEmsOpReply, 32, oneRecord, kDrvRejected,
         GetDriverErrorText(kDrvRejected), 1, false},
        {"records too short",
         kDrvOk,
         kEmsOpReply,
         31,
         {oneRecord.begin(), oneRecord.end() - 1},
         kDrvInvalidFormat,
         GetDriverErrorText(kDrvInvalidFormat),
         0,
         true},
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
            answer.requestCode = request.requestCode;
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

} // namespace
