// The auto-refresh of the online user list keeps its period from due time to due time.

#include "features/management/operators/refresh_schedule.h"

#include <gtest/gtest.h>

namespace {

struct ScheduleRow {
    const char* name;
    int64_t now;
    int64_t due;
    int64_t period;
    RefreshStep next;
};

void PrintTo(const ScheduleRow& row, std::ostream* os)
{
    *os << row.name;
}

class RefreshSchedule : public ::testing::TestWithParam<ScheduleRow> {};

TEST_P(RefreshSchedule, NextRefresh)
{
    const ScheduleRow& row = GetParam();
    EXPECT_EQ(NextRefresh(row.now, row.due, row.period), row.next);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RefreshSchedule,
    ::testing::Values(
        // A query of 500 ms: the next one is due 2 s after the last due time, not 2 s after the query ended.
        ScheduleRow{"QueryTakesHalfASecond", 10500, 10000, 2000, {12000, 1500}},
        ScheduleRow{"OnTime", 10000, 10000, 2000, {12000, 2000}},
        ScheduleRow{"AWholePeriodLate", 12000, 10000, 2000, {12000, 0}},
        ScheduleRow{"MoreThanAPeriodLateStartsAnew", 12001, 10000, 2000, {14001, 2000}},
        ScheduleRow{"EarlyStartsAnew", 9000, 10000, 2000, {11000, 2000}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
