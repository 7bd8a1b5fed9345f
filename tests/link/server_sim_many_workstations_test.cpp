// Many workstations of a large generated network on one simulated server, over loopback TCP: the NE table every login
// reads is answered whole and as the NEs are when asked, to each workstation, however the answers share their bytes;
// a login is answered while another workstation's states are still on their way.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "link/driver_result.h"
#include "link/ems_msg.h"
#include "link/records/location_record.h"
#include "link/records/ne_key_record.h"
#include "link/records/record_codec.h"
#include "link/records/word_record.h"
#include "tests/link/server_sim_harness.h"

namespace {

using namespace server_test;

constexpr uint32_t kNes = 10000; // the NE table takes three frames
constexpr int kBoundMs = 20000;  // waits for an answer end here at the latest
const std::vector<uint8_t> kByte{0};

class SimManyWorkstationsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(sim_.Start({"--generate-nes", std::to_string(kNes)})); }

    std::unique_ptr<CRawClient> LoggedOn()
    {
        auto client = std::make_unique<CRawClient>();
        EXPECT_TRUE(client->Connect(sim_.Port()) && client->Logon("admin", "admin"));
        return client;
    }

    // Every frame of the answer to a query of every NE, as the workstation reads them after asking.
    static std::vector<Frame> NeTableFrames(CRawClient& client, uint32_t sequence)
    {
        std::vector<Frame> frames;
        for (;;) {
            std::optional<Frame> frame = client.ReplyTo(sequence, kBoundMs);
            if (!frame)
                return frames;
            frames.push_back(*frame);
            if (frame->header.more == 0)
                return frames;
        }
    }

    static uint32_t AskForEveryNe(CRawClient& client) { return client.Send(kEmsOpQuery, kReqNeKeyAll, 0, kByte, 1); }

    // The records of an answer, checked frame by frame as the workstation's link checks them.
    static std::vector<NeKeyRecord> NeTable(const std::vector<Frame>& frames, uint32_t sequence)
    {
        std::vector<NeKeyRecord> keys;
        for (size_t i = 0; i < frames.size(); ++i) {
            const FrameHeader& header = frames[i].header;
            EXPECT_EQ(header.sequence, sequence);
            EXPECT_EQ(header.status, 0u);
            EXPECT_EQ(header.total, kNes);
            EXPECT_EQ(header.more, i + 1 < frames.size() ? 1u : 0u) << "frame " << i;
            EXPECT_EQ(header.recordSize, kNeKeyRecordSize);
            EXPECT_EQ(frames[i].payload.size(), static_cast<size_t>(header.count) * header.recordSize);
            std::vector<NeKeyRecord> some;
            EXPECT_TRUE(DecodeRecords(frames[i].payload.data(), header.count, header.recordSize, &some));
            keys.insert(keys.end(), some.begin(), some.end());
        }
        return keys;
    }

    CSimServerProcess sim_;
};

TEST_F(SimManyWorkstationsTest, EveryLoginReadsTheWholeNeTableAsItIsWhenItAsks)
{
    std::unique_ptr<CRawClient> first = LoggedOn();
    std::unique_ptr<CRawClient> second = LoggedOn();
    const uint32_t firstAsked = AskForEveryNe(*first);
    const uint32_t secondAsked = AskForEveryNe(*second);
    const std::vector<Frame> firstFrames = NeTableFrames(*first, firstAsked);
    ASSERT_EQ(firstFrames.size(), 3u);
    const std::vector<NeKeyRecord> before = NeTable(firstFrames, firstAsked);
    ASSERT_EQ(before.size(), kNes);
    EXPECT_EQ(NeTable(NeTableFrames(*second, secondAsked), secondAsked), before);

    // The first asks again and leaves the answer unread while the second renames an NE in its last frame.
    const uint32_t askedAgain = AskForEveryNe(*first);
    NeKeyRecord renamed = before[kNes - 10];
    renamed.neName = "renamed meanwhile";
    const auto bytes = EncodeRecord(renamed);
    const std::optional<Frame> done = second->ReplyTo(
        second->Send(kEmsOpModify, kReqNeKey, renamed.neId, {bytes.begin(), bytes.end()}, kNeKeyRecordSize), kBoundMs);
    ASSERT_TRUE(done.has_value());
    ASSERT_EQ(done->header.status, 0u);
    EXPECT_EQ(NeTable(NeTableFrames(*first, askedAgain), askedAgain), before) << "asked before the change";

    // Whoever asks after it reads the new name, and every other NE as it was.
    std::vector<NeKeyRecord> expected = before;
    expected[kNes - 10] = renamed;
    std::unique_ptr<CRawClient> third = LoggedOn();
    const uint32_t thirdAsked = AskForEveryNe(*third);
    EXPECT_EQ(NeTable(NeTableFrames(*third, thirdAsked), thirdAsked), expected);
    const uint32_t firstAfter = AskForEveryNe(*first);
    EXPECT_EQ(NeTable(NeTableFrames(*first, firstAfter), firstAfter), expected);
}

TEST_F(SimManyWorkstationsTest, ALoginIsAnsweredWhileAnotherWorkstationsStatesAreOnTheirWay)
{
    // The first turns notifications on and reads nothing of the states of 10,000 NEs (tens of megabytes, more than
    // the sockets between them hold).
    std::unique_ptr<CRawClient> first = LoggedOn();
    const auto on = EncodeRecord(WordRecord{1});
    const uint32_t turnedOn =
        first->Send(kEmsOpModify, kReqNotificationsOn, 0, {on.begin(), on.end()}, kWordRecordSize);

    std::unique_ptr<CRawClient> second = LoggedOn();
    const uint32_t asked = AskForEveryNe(*second);
    EXPECT_EQ(NeTable(NeTableFrames(*second, asked), asked).size(), kNes);
    const std::optional<Frame> alive = second->ReplyTo(second->Send(kEmsOpQuery, kReqKeepAlive, 0, kByte, 1), kBoundMs);
    ASSERT_TRUE(alive.has_value());
    EXPECT_EQ(alive->header.status, 0u);

    // The first then gets its answer, every NE's states and the answer to a request made behind them.
    const std::optional<Frame> answer = first->ReplyTo(turnedOn, kBoundMs);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->header.status, 0u);
    first->Notifications().clear();
    ASSERT_TRUE(first->ReplyTo(first->Send(kEmsOpQuery, kReqKeepAlive, 0, kByte, 1), kBoundMs).has_value());
    std::set<uint32_t> stated;
    for (const Frame& frame : first->Notifications()) {
        if (frame.header.requestCode == kReqEntityState)
            stated.insert(frame.header.neId);
    }
    EXPECT_EQ(stated.size(), kNes);
}

// Answers that wait for a workstation that does not read, behind whole NE tables, stay as they were made while the
// server answers another workstation's stream of requests from the same storage; each comes once, to its request.
TEST_F(SimManyWorkstationsTest, AnswersLeftUnreadStayIntactWhileAnotherWorkstationIsAnswered)
{
    std::unique_ptr<CRawClient> slow = LoggedOn();
    std::unique_ptr<CRawClient> quick = LoggedOn();
    constexpr int kTables = 4;
    constexpr int kKeepAlives = 50;
    std::vector<uint32_t> tables;
    std::vector<uint32_t> keepAlives;
    for (int i = 0; i < kKeepAlives; ++i) {
        if (i % (kKeepAlives / kTables) == 0 && static_cast<int>(tables.size()) < kTables) {
            tables.push_back(AskForEveryNe(*slow));
        }
        keepAlives.push_back(slow->Send(kEmsOpQuery, kReqKeepAlive, 0, kByte, 1));
    }
    for (int i = 0; i < 200; ++i) {
        const uint32_t asked = quick->Send(kEmsOpQuery, kReqKeepAlive, 0, kByte, 1);
        const std::optional<Frame> answer = quick->Receive(kBoundMs);
        ASSERT_TRUE(answer.has_value()) << "request " << i;
        EXPECT_EQ(answer->header.sequence, asked);
        EXPECT_EQ(answer->header.requestCode, kReqKeepAlive);
        EXPECT_EQ(answer->header.status, 0u);
        EXPECT_TRUE(answer->payload.empty());
    }

    // In the order asked: a table's frames, then the keep-alives that followed it.
    size_t nextKeepAlive = 0;
    for (size_t t = 0; t < tables.size(); ++t) {
        const size_t keepAlivesBefore = t + 1 < tables.size() ? (t + 1) * (kKeepAlives / kTables) : keepAlives.size();
        std::vector<Frame> frames;
        for (;;) {
            std::optional<Frame> frame = slow->Receive(kBoundMs);
            ASSERT_TRUE(frame.has_value()) << "table " << t;
            frames.push_back(*frame);
            if (frame->header.more == 0) {
                break;
            }
        }
        EXPECT_EQ(NeTable(frames, tables[t]).size(), kNes);
        for (; nextKeepAlive < keepAlivesBefore; ++nextKeepAlive) {
            const std::optional<Frame> answer = slow->Receive(kBoundMs);
            ASSERT_TRUE(answer.has_value()) << "keep-alive " << nextKeepAlive;
            EXPECT_EQ(answer->header.sequence, keepAlives[nextKeepAlive]);
            EXPECT_EQ(answer->header.requestCode, kReqKeepAlive);
            EXPECT_TRUE(answer->payload.empty());
        }
    }
    EXPECT_EQ(nextKeepAlive, keepAlives.size());
    EXPECT_TRUE(slow->Notifications().empty());
}

// One workstation's answers of different kinds in turn (a refusal with its reason, a keep-alive, a frame that is no
// request, a keep-alive): each is its own, whatever answer the server made before it.
TEST_F(SimManyWorkstationsTest, EachAnswerHoldsNothingOfTheOneBefore)
{
    std::unique_ptr<CRawClient> client = LoggedOn();
    LocationRecord unknown;
    unknown.id = 99999;
    unknown.name = "Depot";
    const std::vector<uint8_t> location = EncodeRecords(std::vector<LocationRecord>{unknown});
    const std::string reason = "Location does not exist";
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        const uint32_t refused =
            client->Send(kEmsOpModify, kReqLocationDelete, 0, location, static_cast<uint32_t>(kLocationRecordSize));
        std::optional<Frame> answer = client->Receive(kBoundMs);
        ASSERT_TRUE(answer.has_value());
        EXPECT_EQ(answer->header.sequence, refused);
        EXPECT_EQ(answer->header.operation, kEmsOpTextReply);
        EXPECT_EQ(std::string(answer->payload.begin(), answer->payload.end()), reason + '\0');

        for (const uint8_t operation : {kEmsOpQuery, kEmsOpReply}) {
            const uint32_t asked = client->Send(operation, kReqKeepAlive, 0, kByte, 1);
            answer = client->Receive(kBoundMs);
            ASSERT_TRUE(answer.has_value()) << int{operation};
            EXPECT_EQ(answer->header.sequence, asked);
            EXPECT_EQ(answer->header.operation, kEmsOpReply);
            EXPECT_EQ(answer->header.requestCode, kReqKeepAlive);
            EXPECT_EQ(answer->header.status, operation == kEmsOpQuery ? 0u : uint32_t{kDrvInvalidParameter});
            EXPECT_EQ(answer->header.count, 0u);
            EXPECT_TRUE(answer->payload.empty());
        }
    }
    // Nothing more came than the answers asked for.
    EXPECT_FALSE(client->Receive(200).has_value());
}

} // namespace
