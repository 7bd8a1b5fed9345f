#include "link/request_slot_table.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

#include "link/driver_result.h"
#include "link/records/alarm_event_rec.h"

namespace {

using Clock = std::chrono::steady_clock;

EmsMsg ReplyFrame(uint32_t sequence, uint32_t count, uint32_t recordSize, uint32_t more = 0, uint32_t total = 0)
{
    EmsMsg msg;
    msg.operation = kEmsOpReply;
    msg.requestCode = kReqLocation;
    msg.sequence = sequence;
    msg.count = static_cast<int32_t>(count);
    msg.recordSize = recordSize;
    msg.more = more;
    msg.total = total;
    return msg;
}

Clock::time_point Soon()
{
    return Clock::now() + std::chrono::seconds(10);
}

TEST(RequestSlotTable, HasTwoHundredFiftySixSlotsWithDistinctSequences)
{
    CRequestSlotTable table;
    std::set<uint32_t> sequences;
    for (size_t i = 0; i < CRequestSlotTable::kSlotCount; ++i) {
        const uint32_t sequence = table.Acquire();
        ASSERT_NE(sequence, 0u);
        sequences.insert(sequence);
    }
    EXPECT_EQ(sequences.size(), CRequestSlotTable::kSlotCount);
    EXPECT_EQ(table.Acquire(), 0u);
    table.Release(*sequences.begin());
    EXPECT_NE(table.Acquire(), 0u);
}

TEST(RequestSlotTable, ReplyReachesItsRequestOnly)
{
    CRequestSlotTable table;
    const uint32_t first = table.Acquire();
    const uint32_t second = table.Acquire();
    const std::vector<uint8_t> records = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(table.OfferReply(ReplyFrame(second, 2, 4), records.data(), records.size()),
              CRequestSlotTable::Route::Slot);
    EXPECT_EQ(table.OfferReply(ReplyFrame(second + 100, 0, 0), nullptr, 0), CRequestSlotTable::Route::NotMine);
    EXPECT_EQ(table.OfferReply(ReplyFrame(0, 0, 0), nullptr, 0), CRequestSlotTable::Route::NotMine);

    ReplyData reply;
    ASSERT_EQ(table.Wait(second, Soon(), reply), kDrvOk);
    EXPECT_EQ(reply.records, records);
    EXPECT_EQ(reply.header.count, 2);
    EXPECT_EQ(table.Wait(first, Clock::now() + std::chrono::milliseconds(1), reply), kDrvTimeout);
}

TEST(RequestSlotTable, GathersAReplyOfSeveralFrames)
{
    CRequestSlotTable table;
    const uint32_t sequence = table.Acquire();
    const std::vector<uint8_t> a(8, 0xA), b(4, 0xB), c(12, 0xC);
    EXPECT_EQ(table.OfferReply(ReplyFrame(sequence, 2, 4, 1, 100), a.data(), a.size()), CRequestSlotTable::Route::Slot);
    EXPECT_EQ(table.OfferReply(ReplyFrame(sequence, 1, 4, 1, 100), b.data(), b.size()), CRequestSlotTable::Route::Slot);
    ReplyData reply;
    EXPECT_EQ(table.Wait(sequence, Clock::now(), reply), kDrvTimeout)
        << "the reply is not complete before its last frame";
}

TEST(RequestSlotTable, LastFrameEndsTheReplyAndGivesTheTotal)
{
    CRequestSlotTable table;
    const uint32_t sequence = table.Acquire();
    const std::vector<uint8_t> a(8, 0xA), b(4, 0xB);
    table.OfferReply(ReplyFrame(sequence, 2, 4, 1, 100), a.data(), a.size());
    table.OfferReply(ReplyFrame(sequence, 1, 4, 0, 7), b.data(), b.size());
    ReplyData reply;
    ASSERT_EQ(table.Wait(sequence, Soon(), reply), kDrvOk);
    EXPECT_EQ(reply.header.count, 3);
    EXPECT_EQ(reply.header.total, 7u);
    EXPECT_EQ(reply.records, std::vector<uint8_t>({0xA, 0xA, 0xA, 0xA, 0xA, 0xA, 0xA, 0xA, 0xB, 0xB, 0xB, 0xB}));
}

TEST(RequestSlotTable, FrameWithAnotherRecordSizeBreaksTheReply)
{
    CRequestSlotTable table;
    const uint32_t sequence = table.Acquire();
    const std::vector<uint8_t> a(8, 0xA), b(6, 0xB);
    table.OfferReply(ReplyFrame(sequence, 2, 4, 1), a.data(), a.size());
    EXPECT_EQ(table.OfferReply(ReplyFrame(sequence, 1, 6, 0), b.data(), b.size()), CRequestSlotTable::Route::Invalid);
    ReplyData reply;
    EXPECT_EQ(table.Wait(sequence, Clock::now(), reply), kDrvTimeout) << "ended by the closing connection, not here";
}

TEST(RequestSlotTable, GatheredRecordsStopAtTheCap)
{
    CRequestSlotTable table;
    const uint32_t sequence = table.Acquire();
    const uint32_t recordSize = 100;
    const uint32_t perFrame = 4000; // 400,000 bytes a frame
    const std::vector<uint8_t> frame(perFrame * recordSize, 1);
    const uint32_t frames = kMaxEmsReplyBytes / static_cast<uint32_t>(frame.size()) + 2;
    for (uint32_t i = 1; i <= frames; ++i)
        table.OfferReply(ReplyFrame(sequence, perFrame, recordSize, i < frames ? 1 : 0), frame.data(), frame.size());
    ReplyData reply;
    ASSERT_EQ(table.Wait(sequence, Soon(), reply), kDrvOk);
    EXPECT_EQ(reply.header.count, static_cast<int32_t>(kMaxEmsReplyBytes / recordSize));
    EXPECT_EQ(reply.records.size(), kMaxEmsReplyBytes / recordSize * recordSize);
}

TEST(RequestSlotTable, AFullPageOfAlarmRecordsFitsWhole)
{
    CRequestSlotTable table;
    const uint32_t sequence = table.Acquire();
    const uint32_t recordSize = kAlarmEventRecSize;
    const std::vector<uint8_t> frame(2500 * recordSize, 1);
    table.OfferReply(ReplyFrame(sequence, 2500, recordSize, 1), frame.data(), frame.size());
    table.OfferReply(ReplyFrame(sequence, 2500, recordSize, 0), frame.data(), frame.size());
    ReplyData reply;
    ASSERT_EQ(table.Wait(sequence, Soon(), reply), kDrvOk);
    EXPECT_EQ(reply.header.count, 5000);
}

TEST(RequestSlotTable, TextReplyBecomesOneTerminatedText)
{
    CRequestSlotTable table;
    const uint32_t sequence = table.Acquire();
    EmsMsg frame = ReplyFrame(sequence, 7, 3);
    frame.operation = kEmsOpTextReply;
    const std::string text = "no answer"; // no terminator on the wire
    table.OfferReply(frame, reinterpret_cast<const uint8_t*>(text.data()), text.size());
    ReplyData reply;
    ASSERT_EQ(table.Wait(sequence, Soon(), reply), kDrvOk);
    EXPECT_EQ(reply.header.count, 1);
    EXPECT_EQ(reply.header.recordSize, text.size() + 1);
    EXPECT_STREQ(reinterpret_cast<const char*>(reply.records.data()), "no answer");
}

TEST(RequestSlotTable, LateFramesOfAnAbandonedRequestAreDropped)
{
    CRequestSlotTable table;
    const uint32_t sequence = table.Acquire();
    ReplyData reply;
    ASSERT_EQ(table.Wait(sequence, Clock::now(), reply), kDrvTimeout);
    table.Release(sequence);
    EXPECT_EQ(table.OfferReply(ReplyFrame(sequence, 0, 0, 1), nullptr, 0), CRequestSlotTable::Route::Dropped);
    EXPECT_EQ(table.OfferReply(ReplyFrame(sequence, 0, 0, 0), nullptr, 0), CRequestSlotTable::Route::Dropped);
    // Forgotten after its last frame.
    EXPECT_EQ(table.OfferReply(ReplyFrame(sequence, 0, 0, 0), nullptr, 0), CRequestSlotTable::Route::NotMine);
}

TEST(RequestSlotTable, CompleteAndFailAllEndWaitingRequests)
{
    CRequestSlotTable table;
    const uint32_t a = table.Acquire();
    const uint32_t b = table.Acquire();
    const uint32_t c = table.Acquire();
    table.Complete(a, kDrvCancelled);
    std::thread waiter([&] {
        ReplyData reply;
        EXPECT_EQ(table.Wait(b, Soon(), reply), kDrvConnectionClosed);
    });
    table.FailAll(kDrvConnectionClosed);
    waiter.join();
    ReplyData reply;
    EXPECT_EQ(table.Wait(a, Soon(), reply), kDrvCancelled) << "an ended request keeps its first result";
    EXPECT_EQ(table.Wait(c, Soon(), reply), kDrvConnectionClosed);
    EXPECT_EQ(table.OfferReply(ReplyFrame(a, 0, 0), nullptr, 0), CRequestSlotTable::Route::Dropped);
    EXPECT_EQ(table.InUse(), 3u);
    table.Release(a);
    table.Release(b);
    table.Release(c);
    EXPECT_EQ(table.InUse(), 0u);
}

TEST(RequestSlotTable, ARequestInAnotherSlotThanItsOwnIsSeenWaitingUntilItEnds)
{
    CRequestSlotTable table;
    std::vector<uint32_t> sequences;
    for (size_t i = 0; i < CRequestSlotTable::kSlotCount; ++i) {
        sequences.push_back(table.Acquire());
    }
    // Every slot is taken: one freed, the next request's own slot is still taken and it goes to the free one.
    table.Complete(sequences[10], kDrvCancelled);
    table.Release(sequences[10]);
    EXPECT_FALSE(table.IsWaiting(sequences[10]));
    const uint32_t away = table.Acquire();
    ASSERT_NE(away, 0u);
    const uint32_t owner = sequences[away % CRequestSlotTable::kSlotCount - 1];
    ASSERT_EQ(owner % CRequestSlotTable::kSlotCount, away % CRequestSlotTable::kSlotCount);
    EXPECT_TRUE(table.IsWaiting(away));
    EXPECT_TRUE(table.IsWaiting(owner));
    // The request in the other's slot ends first, then the other; a request let go while it waits is not waiting.
    table.Complete(owner, kDrvCancelled);
    EXPECT_FALSE(table.IsWaiting(owner));
    EXPECT_TRUE(table.IsWaiting(away));
    EXPECT_EQ(table.OfferReply(ReplyFrame(away, 0, 0), nullptr, 0), CRequestSlotTable::Route::Slot);
    EXPECT_FALSE(table.IsWaiting(away));
    table.Release(sequences[20]);
    EXPECT_FALSE(table.IsWaiting(sequences[20]));
    EXPECT_TRUE(table.IsWaiting(sequences[21]));
    EXPECT_FALSE(table.IsWaiting(0));
}

TEST(RequestSlotTable, UnclaimedSequencesNeverCollideWithSlots)
{
    CRequestSlotTable table;
    const uint32_t slot = table.Acquire();
    const uint32_t unclaimed = table.NextUnclaimedSequence();
    EXPECT_NE(unclaimed, slot);
    EXPECT_NE(unclaimed, 0u);
    EXPECT_EQ(table.OfferReply(ReplyFrame(unclaimed, 0, 0), nullptr, 0), CRequestSlotTable::Route::NotMine);
}

} // namespace
