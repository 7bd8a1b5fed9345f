#include "core/util/time_record.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>

namespace {

constexpr uint32_t kMaxDay = std::numeric_limits<uint32_t>::max();

} // namespace

void PrintTo(const TimeRec& rec, std::ostream* os)
{
    *os << rec.days << "/" << rec.msOfDay;
}

namespace {

TEST(TimeRecFromSystemTime, CalendarFields)
{
    const struct {
        SystemTime in;
        int result;
        TimeRec out;
    } rows[] = {
        {{1970, 1, 4, 1, 0, 0, 0, 0}, 1, {0, 0}},
        {{1970, 1, 4, 2, 0, 0, 0, 1}, 1, {1, 1}},
        {{2000, 2, 2, 29, 23, 59, 59, 999}, 1, {11016, 86399999}},
        {{2000, 3, 3, 1, 12, 0, 0, 0}, 1, {11017, 43200000}},
        {{2106, 2, 0, 7, 6, 28, 15, 0}, 1, {49710, 23295000}},
        {{1969, 12, 3, 31, 23, 59, 59, 999}, 0, {7, 7}},
        {{2001, 2, 0, 29, 0, 0, 0, 0}, 0, {7, 7}},
        {{2001, 13, 0, 1, 0, 0, 0, 0}, 0, {7, 7}},
        {{2001, 0, 0, 1, 0, 0, 0, 0}, 0, {7, 7}},
        {{2001, 1, 0, 0, 0, 0, 0, 0}, 0, {7, 7}},
        {{2001, 1, 0, 1, 24, 0, 0, 0}, 0, {7, 7}},
        {{2001, 1, 0, 1, 0, 60, 0, 0}, 0, {7, 7}},
        {{2001, 1, 0, 1, 0, 0, 60, 0}, 0, {7, 7}},
        {{2001, 1, 0, 1, 0, 0, 0, 1000}, 0, {7, 7}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.in.year * 10000 + row.in.month * 100 + row.in.day);
        TimeRec out{7, 7};
        EXPECT_EQ(SystemTimeToTimeRec(&row.in, &out), row.result);
        EXPECT_EQ(out, row.out);
    }
    TimeRec out;
    const SystemTime st{2020, 1, 3, 1, 0, 0, 0, 0};
    EXPECT_EQ(SystemTimeToTimeRec(nullptr, &out), 0);
    EXPECT_EQ(SystemTimeToTimeRec(&st, nullptr), 0);
}

TEST(TimeRecFromSystemTime, TimePoint)
{
    using namespace std::chrono;
    TimeRec out;
    const auto t = sys_days{year{2021} / 7 / 1} + hours{3} + milliseconds{4} + microseconds{999};
    ASSERT_EQ(SystemTimeToTimeRec(t, &out), 1);
    EXPECT_EQ(out, (TimeRec{18809, 3 * 3600000 + 4}));
    EXPECT_EQ(SystemTimeToTimeRec(system_clock::time_point{} - milliseconds{1}, &out), 0);
    EXPECT_EQ(SystemTimeToTimeRec(t, nullptr), 0);
}

TEST(AddMsToTimeRec, CarriesDaysBothWays)
{
    const struct {
        TimeRec start;
        int64_t ms;
        int result;
        TimeRec end;
    } rows[] = {
        {{10, 0}, 0, 1, {10, 0}},
        {{10, 86399999}, 1, 1, {11, 0}},
        {{10, 86000000}, 1000000, 1, {11, 600000}},
        {{10, 1000}, 3 * kMsPerDay + 5, 1, {13, 1005}},
        {{10, 0}, -1, 1, {9, 86399999}},
        {{10, 500}, -1000, 1, {9, 86399500}},
        {{10, 500}, -3 * kMsPerDay - 1000, 1, {6, 86399500}},
        {{0, 5}, -5, 1, {0, 0}},
        {{0, 5}, -6, 0, {0, 5}},
        {{kMaxDay, 86399999}, 0, 1, {kMaxDay, 86399999}},
        {{kMaxDay, 86399998}, 1, 1, {kMaxDay, 86399999}},
        {{kMaxDay, 86399999}, 1, 0, {kMaxDay, 86399999}},
        {{kMaxDay, 0}, -int64_t{kMaxDay} * kMsPerDay, 1, {0, 0}},
        {{1, 0}, std::numeric_limits<int64_t>::max(), 0, {1, 0}},
        {{1, 0}, std::numeric_limits<int64_t>::min(), 0, {1, 0}},
        {{1, 2 * 86400000u + 7}, 0, 1, {3, 7}}, // an out-of-range ms of the day is carried too
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.start.days << "/" << row.start.msOfDay << " + " << row.ms);
        TimeRec rec = row.start;
        EXPECT_EQ(AddMsToTimeRec(&rec, row.ms), row.result);
        EXPECT_EQ(rec, row.end);
    }
    EXPECT_EQ(AddMsToTimeRec(nullptr, 1), 0);
}

TEST(TimeRecDiffMs, SignedAndWide)
{
    const TimeRec a{100, 5000};
    const TimeRec b{101, 4000};
    EXPECT_EQ(TimeRecDiffMs(&a, &b), kMsPerDay - 1000);
    EXPECT_EQ(TimeRecDiffMs(&b, &a), -(kMsPerDay - 1000));
    EXPECT_LT(TimeRecDiffMs(&b, &a), 0);
    EXPECT_EQ(TimeRecDiffMs(&a, &a), 0);
    EXPECT_EQ(TimeRecDiffMs(nullptr, &a), 100 * kMsPerDay + 5000);
    EXPECT_EQ(TimeRecDiffMs(&a, nullptr), -(100 * kMsPerDay + 5000));
    EXPECT_EQ(TimeRecDiffMs(nullptr, nullptr), 0);

    // Past 24.8 days a 32-bit difference would change sign.
    const TimeRec later{130, 5000};
    EXPECT_EQ(TimeRecDiffMs(&a, &later), 30 * kMsPerDay);
    EXPECT_EQ(TimeRecDiffMs(&later, &a), -30 * kMsPerDay);

    TimeRec moved = a;
    ASSERT_EQ(AddMsToTimeRec(&moved, -123456789), 1);
    EXPECT_EQ(TimeRecDiffMs(&a, &moved), -123456789);
}

} // namespace
