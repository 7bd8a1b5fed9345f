// The record range of the paged alarm lists: each button and the up-down control as a table of cases, on the
// server's list (bounded by the reply's total) and on the NE's log (bounded by 100,000).

#include "features/fault/alarm_events/record_paging.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

void PrintTo(const RecordRange& range, std::ostream* out)
{
    *out << range.from << ".." << range.to;
}

namespace {

struct RangeCase {
    const char* name;
    RecordRange before;
    uint32_t bound;
    RecordRange after;
};

TEST(RecordPagingTest, ValidatingARange)
{
    const RangeCase cases[] = {
        {"a range within the total stays", {11, 20}, 12345, {11, 20}},
        {"reversed ends are swapped", {20, 11}, 12345, {11, 20}},
        {"ends past the total are cut to it", {12000, 13000}, 12345, {12000, 12345}},
        {"an end below 1 becomes 1", {0, 10}, 12345, {1, 10}},
        {"more than 5000 records are cut to 5000", {1, 8000}, 12345, {1, 5000}},
        {"exactly 5000 records stay", {101, 5100}, 12345, {101, 5100}},
        {"an empty reply leaves 0..0", {1, 1000}, 0, {0, 0}},
        {"the NE's log is bounded by 100000", {99990, 100020}, kNeAlarmLogBound, {99990, 100000}},
    };
    for (const RangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ValidateRecordRange(c.before, c.bound), c.after);
    }
}

// What a number typed into the edits becomes at once: each end within 1..the bound, at most 5000 records, both
// bounds at them and one past them; ends typed the wrong way round stay so until the range is used.
TEST(RecordPagingTest, BoundingATypedRange)
{
    const RangeCase cases[] = {
        {"the end at the total stays", {12000, 12345}, 12345, {12000, 12345}},
        {"the end one past a long total is the total", {12000, 12346}, 12345, {12000, 12345}},
        {"the end at the total of a short list stays", {1, 40}, 40, {1, 40}},
        {"the end one past the total is the total", {1, 41}, 40, {1, 40}},
        {"the start one past the total is the total", {41, 41}, 40, {40, 40}},
        {"the start at 1 stays", {1, 10}, 40, {1, 10}},
        {"the start one below 1 is 1", {0, 10}, 40, {1, 10}},
        {"5000 records stay", {1, 5000}, 12345, {1, 5000}},
        {"5001 records are cut to 5000", {1, 5001}, 12345, {1, 5000}},
        {"1..8000 is cut to 1..5000", {1, 8000}, 12345, {1, 5000}},
        {"5000 records from a later start stay", {7346, 12345}, 12345, {7346, 12345}},
        {"reversed ends stay reversed", {500, 6}, 12345, {500, 6}},
        {"without records both ends are 0", {3, 8}, 0, {0, 0}},
        {"the NE's log ends at 100000", {99990, 100001}, kNeAlarmLogBound, {99990, 100000}},
    };
    for (const RangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BoundRecordRange(c.before, c.bound), c.after);
    }
}

TEST(RecordPagingTest, PagingButtonsOfTheServersList)
{
    constexpr uint32_t kTotal = 12345;
    EXPECT_EQ(FirstPage({101, 200}), (RecordRange{1, 100}));
    EXPECT_EQ(NextPage({1, 100}, kTotal), (RecordRange{101, 200}));
    EXPECT_EQ(NextPage({12201, 12300}, kTotal), (RecordRange{12301, 12345})) << "the end stays within the total";
    EXPECT_EQ(PreviousPage({101, 200}), (RecordRange{1, 100}));
    EXPECT_EQ(PreviousPage({51, 150}), (RecordRange{1, 50})) << "the start stays at least 1";
    EXPECT_EQ(LastPage({1, 100}, kTotal), (RecordRange{12246, 12345}));
    EXPECT_EQ(LastPage({1, 5000}, kTotal), (RecordRange{7346, 12345}));
}

TEST(RecordPagingTest, WhichButtonsTheRangeEnables)
{
    struct Case {
        RecordRange range;
        uint32_t total;
        PagingButtons buttons;
    };
    const Case cases[] = {
        {{1, 100}, 12345, {false, false, true, true, true}},
        {{101, 200}, 12345, {true, true, true, true, true}},
        {{12246, 12345}, 12345, {true, true, false, false, true}},
        {{1, 50}, 50, {false, false, false, false, false}}, // the whole of it
        {{0, 0}, 0, {false, false, false, false, false}},   // an empty reply
        {{7, 7}, 50, {true, true, true, true, false}},      // one record: no page to step by
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.range));
        EXPECT_EQ(ServerPagingButtons(c.range, c.total), c.buttons);
    }
    EXPECT_EQ(NeLogPagingButtons({1, 100}), (PagingButtons{true, false, true, false, true}));
    EXPECT_EQ(NeLogPagingButtons({99901, 100000}), (PagingButtons{true, true, false, false, true}));
}

TEST(RecordPagingTest, TheUpDownControlMovesByWholePagesAndComesRound)
{
    struct Case {
        const char* name;
        RecordRange before;
        int delta;
        uint32_t bound;
        std::optional<RecordRange> after;
    };
    const Case cases[] = {
        {"forward one page", {1, 100}, 1, 12345, RecordRange{101, 200}},
        {"forward two pages", {1, 100}, 2, 12345, RecordRange{201, 300}},
        {"forward onto the end cuts it", {12201, 12300}, 1, 12345, RecordRange{12301, 12345}},
        {"forward past the end starts again", {12301, 12400}, 1, 12345, RecordRange{1, 100}},
        {"backward one page", {201, 300}, -1, 12345, RecordRange{101, 200}},
        {"backward across 1 starts at 1", {51, 150}, -1, 12345, RecordRange{1, 50}},
        {"backward before 1 comes round to the end", {1, 100}, -1, 12345, RecordRange{12246, 12345}},
        {"the NE's log comes round at 100000", {1, 100}, -1, kNeAlarmLogBound, RecordRange{99901, 100000}},
        {"nothing without records", {1, 100}, 1, 0, std::nullopt},
        {"nothing for a single record", {5, 5}, 1, 12345, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SpinPages(c.before, c.delta, c.bound), c.after);
    }
}

} // namespace
