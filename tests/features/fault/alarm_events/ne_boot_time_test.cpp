// When the NE started, from its clock, its time zone and its up time, in the workstation's time zone; and the times
// of day of its log's entries. The workstation's zone is fixed for the test.

#include "features/fault/alarm_events/ne_boot_time.h"

#include "link/records/ne_time_record.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace {

// Sets TZ for the test and puts back what it was.
class FixedTimeZone {
public:
    explicit FixedTimeZone(const char* zone)
    {
        if (const char* old = std::getenv("TZ"))
            previous_ = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~FixedTimeZone()
    {
        if (previous_)
            setenv("TZ", previous_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> previous_;
};

TEST(NeBootTimeTest, TheWorkstationsBiasIsUtcLessLocalTime)
{
    {
        const FixedTimeZone zone("XST-2"); // two hours east of Greenwich, no summer time
        EXPECT_EQ(LocalTimeZoneBias(1'700'000'000), -7200);
    }
    {
        const FixedTimeZone zone("XST+5");
        EXPECT_EQ(LocalTimeZoneBias(1'700'000'000), 18000);
    }
    const FixedTimeZone zone("UTC0");
    EXPECT_EQ(LocalTimeZoneBias(1'700'000'000), 0);
}

TEST(NeBootTimeTest, TheStartIsTheClockLessZoneUpTimeAndBias)
{
    struct Case {
        const char* name;
        uint32_t upTime;
        uint32_t neClock;
        int16_t neZone;
        const char* workstationZone;
        int64_t boot;
    };
    const Case cases[] = {
        {"all in Greenwich", 3600, 1'700'000'000, 0, "UTC0", 1'699'996'400},
        {"NE and workstation in one zone east", 3600, 1'700'000'000, 2, "XST-2", 1'699'996'400},
        {"NE east, workstation in Greenwich", 3600, 1'700'000'000, 2, "UTC0", 1'699'989'200},
        {"NE west of Greenwich", 60, 1'700'000'000, -5, "UTC0", 1'700'017'940},
        {"just started", 0, 1'700'000'000, 0, "XST+1", 1'699'996'400},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FixedTimeZone zone(c.workstationZone);
        NeTimeRecord time;
        time.upTime = c.upTime;
        time.neClock = c.neClock;
        time.timeZone = c.neZone;
        EXPECT_EQ(NeBootTime(time, LocalTimeZoneBias(c.neClock)), c.boot);
    }
}

TEST(NeBootTimeTest, AnEntrysTimeIsTheStartPlusItsUpTime)
{
    EXPECT_EQ(NeLogEntryTime(1'699'996'400, 125), 1'699'996'525u);
    EXPECT_EQ(NeLogEntryTime(0, 0), 1u) << "a sum of 0 shows as 1";
    EXPECT_EQ(NeLogEntryTime(-500, 100), 1u) << "nor a time before 1970";
    EXPECT_EQ(NeLogEntryTime(int64_t{1} << 33, 1), 1u) << "nor one past what the lists show";
}

} // namespace
