// The auto-refresh of the current-PM dialogs re-arms its timer for what is left of the period after each refresh, and
// starts a new period when a refresh ends more than a period late.

#include "features/performance/pm/pm_auto_refresh.h"
#include "tests/ui/shell/app/app_test_support.h"

#include <gtest/gtest.h>

namespace {

struct RearmCase {
    const char* name;
    int periodMs;
    int64_t tickAfterDueMs; // when the refresh ended, from the time it was due
    int delayMs;            // the timer set for the next one
    int64_t nextDueMs;      // the next due time, from the first due time
};

TEST(PmAutoRefreshTest, TheTimerIsSetForWhatIsLeftOfThePeriod)
{
    const RearmCase cases[] = {
        {"a refresh of 300 ms", 2000, 300, 1700, 2000},
        {"on time", 2000, 0, 2000, 2000},
        {"a whole period late", 2000, 2000, 0, 2000},
        {"more than a period late", 2000, 2001, 2000, 4001},
        {"early", 2000, -5, 2000, 1995},
        {"one second", 1000, 999, 1, 1000},
    };
    for (const RearmCase& c : cases) {
        SCOPED_TRACE(c.name);
        TimeRec now{20000, 1000};
        CPmAutoRefresh refresh([&now] { return now; });
        refresh.SetPeriodMs(c.periodMs);
        refresh.Start();
        TimeRec due = refresh.Due();
        EXPECT_EQ(TimeRecDiffMs(&now, &due), c.periodMs);
        now = due;
        AddMsToTimeRec(&now, c.tickAfterDueMs);
        EXPECT_EQ(refresh.Rearm(), c.delayMs);
        const TimeRec next = refresh.Due();
        EXPECT_EQ(TimeRecDiffMs(&due, &next), c.nextDueMs);
    }
}

// The due times keep the period's beat over many refreshes of uneven length.
TEST(PmAutoRefreshTest, RefreshesOfUnevenLengthKeepTheBeat)
{
    TimeRec now{20000, 86399000};
    CPmAutoRefresh refresh([&now] { return now; });
    refresh.SetPeriodMs(2000);
    refresh.Start();
    const TimeRec first = refresh.Due();
    for (int i = 0; i < 10; ++i) {
        now = refresh.Due();
        AddMsToTimeRec(&now, 100 * (i % 4)); // the refresh's time
        refresh.Rearm();
    }
    const TimeRec tenth = refresh.Due();
    EXPECT_EQ(TimeRecDiffMs(&first, &tenth), 20000) << "across midnight too";
}

// DIALOG/DIALOGREFRESHTIME: seconds within 1..60, clamped, 2 when absent.
TEST(PmAutoRefreshTest, ThePeriodIsTheConfiguredSecondsWithinOneToSixty)
{
    const app_test::CWorkDir dir;
    EXPECT_EQ(DialogRefreshPeriodMs(), 2000) << "no file";
    for (const auto& [typed, periodMs] :
         {std::pair{"0", 1000}, std::pair{"1", 1000}, std::pair{"60", 60000}, std::pair{"61", 60000}}) {
        app_test::WriteText(dir.Ini(), std::string("[DIALOG]\nDIALOGREFRESHTIME=") + typed + "\n");
        EXPECT_EQ(DialogRefreshPeriodMs(), periodMs) << typed;
    }
}

} // namespace
