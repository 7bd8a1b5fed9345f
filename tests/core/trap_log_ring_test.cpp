#include "core/tables/trap_log_ring.h"

#include "core/config/app_settings.h"
#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/user_account.h"

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <thread>
#include <vector>

namespace {

constexpr uint32_t kNe = 7;
constexpr uint32_t kOtherNe = 8;
constexpr uint32_t kLocation = 3;
constexpr uint32_t kAllSeverities = 0x3F;

class TrapLogRingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppData().Reset();
        ClearUserRights();
        AppSettings() = CAppSettings{};
        ASSERT_EQ(SetUserRights(kRoleUser, "qqqqqqqqqq"), 0);
        AppData().role = kRoleUser;
        AddNe(kNe, kLocation, "alpha");
        AddNe(kOtherNe, 4, "beta");
    }
    void TearDown() override
    {
        AppData().Reset();
        ClearUserRights();
        AppSettings() = CAppSettings{};
    }

    static void AddNe(uint32_t id, uint32_t location, const char* name)
    {
        CNeRecord ne;
        ne.neId = id;
        ne.locationId = location;
        ne.name = name;
        ne.address = {10, 0, 0, static_cast<uint8_t>(id)};
        ASSERT_EQ(AppData().nes.AddNe(ne), NeResult::kOk);
    }

    static TrapLogRecord State(uint32_t entityId, int32_t severity = 2, uint32_t bits = 1)
    {
        TrapLogRecord record;
        record.entityId = entityId;
        record.severity = severity;
        record.alarmBits = bits;
        return record;
    }

    // Adds records one batch each, with the occur time telling them apart.
    void AddMany(uint32_t count, uint32_t firstTime = 0)
    {
        for (uint32_t i = 0; i < count; ++i) {
            TrapLogRecord record = State(1);
            record.occurTime = firstTime + i;
            ASSERT_EQ(ring_.AddTrapLogRecords(kNe, &record, 1), 1);
        }
    }

    std::vector<uint32_t> Walk()
    {
        std::vector<uint32_t> sequences;
        TrapLogRecord record;
        if (ring_.GetFirstTrapLogRecord(&record) == 0)
            return sequences;
        sequences.push_back(record.sequence);
        // A walk never yields more records than the ring holds; one past that is enough to show a walk that does not
        // end.
        while (sequences.size() <= ring_.GetCapacity() && ring_.GetNextTrapLogRecord(&record) != 0)
            sequences.push_back(record.sequence);
        return sequences;
    }

    std::optional<uint32_t> NextAfter(uint32_t sequence)
    {
        TrapLogRecord record;
        record.sequence = sequence;
        if (ring_.GetNextTrapLogRecord(&record) == 0)
            return std::nullopt;
        return record.sequence;
    }

    CTrapLogRing ring_;
};

TEST_F(TrapLogRingTest, WrapOverwritesTheOldestAndNextSkipsToTheOldestKept)
{
    ASSERT_EQ(ring_.ResetTrapLog(3), 1);
    AddMany(5, 100);
    TrapLogRecord first;
    ASSERT_EQ(ring_.GetFirstTrapLogRecord(&first), 1u);
    EXPECT_EQ(first.sequence, 2u);
    EXPECT_EQ(first.occurTime, 102u);
    EXPECT_EQ(NextAfter(0), 2u); // record 1 was overwritten
    EXPECT_EQ(NextAfter(1), 2u);
    EXPECT_EQ(NextAfter(2), 3u);
    EXPECT_EQ(NextAfter(3), 4u);
    EXPECT_EQ(NextAfter(4), std::nullopt);
    EXPECT_EQ(NextAfter(77), std::nullopt);
}

TEST_F(TrapLogRingTest, SeveritiesAreNormalisedBeforeTheMaskIsTested)
{
    struct Row {
        int32_t received;
        int32_t logged;
    };
    const Row rows[] = {{99, 0}, {-1, 5}, {7, 5}, {0, 0}, {1, 1}, {5, 5}, {1000, 5}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.received);
        ASSERT_EQ(ring_.ResetTrapLog(10), 1);
        const TrapLogRecord state = State(1, row.received);
        // Only the bit of the logged severity admits it.
        ASSERT_EQ(ring_.AddTrapLogRecords(kNe, &state, 1, {0, 0, 1, kAllSeverities & ~(1u << row.logged)}), 1);
        EXPECT_EQ(ring_.GetCount(), 0u);
        ASSERT_EQ(ring_.AddTrapLogRecords(kNe, &state, 1, {0, 0, 1, 1u << row.logged}), 1);
        TrapLogRecord logged;
        ASSERT_EQ(ring_.GetFirstTrapLogRecord(&logged), 1u);
        EXPECT_EQ(logged.severity, row.logged);
    }
}

TEST_F(TrapLogRingTest, FilterTable)
{
    struct Row {
        const char* what;
        TrapLogFilter filter;
        uint32_t neId;
        uint32_t entityId;
        int severity;
        bool admitted;
    };
    constexpr uint32_t kBelow = kTrapLogFilterBelow;
    const Row rows[] = {
        {"NE and below: the NE", {0, 0, 1, kAllSeverities | kBelow}, kNe, 1, 2, true},
        {"NE and below: a shelf", {0, 0, 1, kAllSeverities | kBelow}, kNe, 10000, 2, true},
        {"NE and below: a slot", {0, 0, 1, kAllSeverities | kBelow}, kNe, 10200, 2, true},
        {"NE and below: a port", {0, 0, 1, kAllSeverities | kBelow}, kNe, 20317, 2, true},
        {"slot and below: the slot", {0, 0, 10200, kAllSeverities | kBelow}, kNe, 10200, 2, true},
        {"slot and below: its port", {0, 0, 10200, kAllSeverities | kBelow}, kNe, 10201, 2, true},
        {"slot and below: its shelf", {0, 0, 10200, kAllSeverities | kBelow}, kNe, 10000, 2, false},
        {"slot and below: another slot", {0, 0, 10200, kAllSeverities | kBelow}, kNe, 10300, 2, false},
        {"slot and below: the NE", {0, 0, 10200, kAllSeverities | kBelow}, kNe, 1, 2, false},
        {"slot only: the slot", {0, 0, 10200, kAllSeverities}, kNe, 10200, 2, true},
        {"slot only: its port", {0, 0, 10200, kAllSeverities}, kNe, 10201, 2, false},
        {"NE only: a shelf", {0, 0, 1, kAllSeverities}, kNe, 10000, 2, false},
        {"default: the NE", {0, 0, 0, 0xFF}, kNe, 1, 2, true},
        {"default: a port", {0, 0, 0, 0xFF}, kNe, 10201, 3, true},
        {"default: cleared", {0, 0, 0, 0xFF}, kNe, 10201, 0, true},
        {"any entity with bit 31", {0, 0, 0, kAllSeverities | kBelow}, kNe, 10201, 1, true},
        {"severity not in the mask", {0, 0, 0, 0x3D}, kNe, 1, 1, false},
        {"only cleared wanted", {0, 0, 0, 0x01}, kNe, 1, 0, true},
        {"no severity wanted", {0, 0, 0, kBelow}, kNe, 1, 0, false},
        {"mask bits 6..30 do nothing", {0, 0, 0, 0x7FFFFFC0}, kNe, 1, 1, false},
        {"NE filter: that NE", {0, kNe, 0, 0xFF}, kNe, 1, 2, true},
        {"NE filter: another NE", {0, kNe, 0, 0xFF}, kOtherNe, 1, 2, false},
        {"location filter: an NE there", {kLocation, 0, 0, 0xFF}, kNe, 1, 2, true},
        {"location filter: an NE elsewhere", {kLocation, 0, 0, 0xFF}, kOtherNe, 1, 2, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_EQ(ring_.ResetTrapLog(10), 1);
        const TrapLogRecord state = State(row.entityId, row.severity);
        ASSERT_EQ(ring_.AddTrapLogRecords(row.neId, &state, 1, row.filter), 1);
        EXPECT_EQ(ring_.GetCount(), row.admitted ? 1u : 0u);
    }
}

TEST_F(TrapLogRingTest, RecordsKeepTheirFieldsAndGetTheBatchNe)
{
    ASSERT_EQ(ring_.ResetTrapLog(10), 1);
    TrapLogRecord state{55, 99, 10203, 0x81, 3, 2, 21, 22, 1000, 1005, 2, {}};
    ASSERT_EQ(ring_.AddTrapLogRecords(kNe, &state, 1), 1);
    TrapLogRecord logged;
    ASSERT_EQ(ring_.GetFirstTrapLogRecord(&logged), 1u);
    // Beside the words, the texts of its row by the NE it came from.
    EXPECT_EQ(logged.texts.Get(CTrapLogTexts::kNe), "alpha");
    logged.texts = {};
    EXPECT_EQ(logged, (TrapLogRecord{0, kNe, 10203, 0x81, 3, 2, 21, 22, 1000, 1005, 2, {}}));
}

TEST_F(TrapLogRingTest, ClearRestartsTheSequenceAtIndexZero)
{
    ASSERT_EQ(ring_.ResetTrapLog(3), 1);
    AddMany(5);
    const uint32_t generation = ring_.GetGeneration();
    ASSERT_EQ(ring_.ClearTrapLog(), 1u);
    EXPECT_NE(ring_.GetGeneration(), generation);
    EXPECT_EQ(Walk(), std::vector<uint32_t>{});
    AddMany(1, 500);
    TrapLogRecord first;
    ASSERT_EQ(ring_.GetFirstTrapLogRecord(&first), 1u);
    EXPECT_EQ(first.sequence, 0u);
    EXPECT_EQ(first.occurTime, 500u);
    // A reader's old position names nothing now.
    EXPECT_EQ(NextAfter(4), std::nullopt);
}

TEST_F(TrapLogRingTest, EveryOperationReportsZeroWithoutABuffer)
{
    TrapLogRecord record = State(1);
    EXPECT_EQ(ring_.AddTrapLogRecords(kNe, &record, 1), 0);
    EXPECT_EQ(ring_.ClearTrapLog(), 0u);
    EXPECT_EQ(ring_.LockTrapLog(0), 0u);
    EXPECT_EQ(ring_.UnlockTrapLog(), 0u);
    EXPECT_EQ(ring_.GetFirstTrapLogRecord(&record), 0u);
    EXPECT_EQ(ring_.GetNextTrapLogRecord(&record), 0u);

    ASSERT_EQ(ring_.ResetTrapLog(5), 1);
    AddMany(2);
    ring_.ReleaseTrapLog();
    EXPECT_FALSE(ring_.HasBuffer());
    EXPECT_EQ(ring_.AddTrapLogRecords(kNe, &record, 1), 0);
    EXPECT_EQ(ring_.ClearTrapLog(), 0u);
    EXPECT_EQ(ring_.GetFirstTrapLogRecord(&record), 0u);
}

TEST_F(TrapLogRingTest, BatchesAreRefusedWhole)
{
    ASSERT_EQ(ring_.ResetTrapLog(10), 1);
    const TrapLogRecord states[] = {State(1), State(10000)};

    EXPECT_EQ(ring_.AddTrapLogRecords(kNe, nullptr, 2), 0);
    EXPECT_EQ(ring_.AddTrapLogRecords(99, states, 2), 0); // unknown NE

    AppData().nes.FindNeById(kOtherNe)->root.reset();
    EXPECT_EQ(ring_.AddTrapLogRecords(kOtherNe, states, 2), 0); // no entity tree

    ASSERT_EQ(SetUserRights(kRoleUser, "qqqqqqqqq-"), 0); // no query right on the trap log
    EXPECT_EQ(ring_.AddTrapLogRecords(kNe, states, 2), 0);
    ASSERT_EQ(SetUserRights(kRoleUser, "qqqqqqqqqq"), 0);

    // The lock is only tried: held by this thread or by another, the batch is dropped.
    ASSERT_EQ(ring_.LockTrapLog(0), 1u);
    EXPECT_EQ(ring_.AddTrapLogRecords(kNe, states, 2), 0);
    EXPECT_EQ(ring_.LockTrapLog(0), 0u);
    ASSERT_EQ(ring_.UnlockTrapLog(), 1u);

    std::atomic<bool> held{false};
    std::atomic<bool> release{false};
    std::thread holder([&] {
        held = ring_.LockTrapLog(0) != 0;
        while (!release)
            std::this_thread::yield();
        ring_.UnlockTrapLog();
    });
    while (!held)
        std::this_thread::yield();
    EXPECT_EQ(ring_.AddTrapLogRecords(kNe, states, 2), 0);
    EXPECT_EQ(ring_.ClearTrapLog(), 0u);
    TrapLogRecord record;
    EXPECT_EQ(ring_.GetFirstTrapLogRecord(&record), 0u);
    release = true;
    holder.join();

    EXPECT_EQ(ring_.GetCount(), 0u);
    EXPECT_EQ(ring_.AddTrapLogRecords(kNe, states, 0), 1); // an empty batch is examined
    EXPECT_EQ(ring_.AddTrapLogRecords(kNe, states, 2), 1);
    EXPECT_EQ(ring_.GetCount(), 2u);
}

TEST_F(TrapLogRingTest, ResetEmptiesTheRingWithTheNewCapacityWithinItsBounds)
{
    ASSERT_EQ(ring_.ResetTrapLog(0), 1);
    EXPECT_EQ(ring_.GetCapacity(), 1u);
    ASSERT_EQ(ring_.ResetTrapLog(50000), 1);
    EXPECT_EQ(ring_.GetCapacity(), 20000u);
    ASSERT_EQ(ring_.ResetTrapLog(3), 1);
    AddMany(5);
    const uint32_t generation = ring_.GetGeneration();
    ASSERT_EQ(ring_.ResetTrapLog(4), 1);
    EXPECT_NE(ring_.GetGeneration(), generation);
    EXPECT_EQ(ring_.GetCount(), 0u);
    AddMany(6);
    EXPECT_EQ(Walk(), (std::vector<uint32_t>{2, 3, 4, 5}));
}

TEST_F(TrapLogRingTest, ABurstThatFitsTheRingLosesNothing)
{
    constexpr uint32_t kBurst = 10000;
    ASSERT_EQ(ring_.ResetTrapLog(kBurst), 1);
    // A hundred notifications of a hundred entity states each.
    std::vector<TrapLogRecord> batch(100, State(10201));
    for (uint32_t n = 0; n < kBurst / 100; ++n) {
        for (uint32_t i = 0; i < 100; ++i)
            batch[i].occurTime = n * 100 + i;
        ASSERT_EQ(ring_.AddTrapLogRecords(kNe, batch.data(), 100), 1);
    }
    std::vector<uint32_t> walked = Walk();
    ASSERT_EQ(walked.size(), kBurst);
    for (uint32_t i = 0; i < kBurst; ++i)
        ASSERT_EQ(walked[i], i);

    // The next burst replaces the first whole; a reader that saw the first misses nothing of the second.
    for (uint32_t n = 0; n < kBurst / 100; ++n)
        ASSERT_EQ(ring_.AddTrapLogRecords(kNe, batch.data(), 100), 1);
    std::optional<uint32_t> next = NextAfter(kBurst - 1);
    uint32_t seen = 0;
    while (next) {
        ASSERT_EQ(*next, kBurst + seen);
        ++seen;
        next = NextAfter(*next);
    }
    EXPECT_EQ(seen, kBurst);
}

} // namespace
