// The bounds of the long-term PM windows and ranges: a date and an hour of the workstation's local time, seconds and
// minutes 0, and back, in a zone without and in one with summer time.

#include "features/performance/long_term/long_term_window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace {

// Runs the test in a time zone and puts the zone back.
class ZoneScope {
public:
    explicit ZoneScope(const char* zone)
    {
        if (const char* old = std::getenv("TZ"))
            old_ = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ZoneScope()
    {
        if (old_.empty())
            unsetenv("TZ");
        else
            setenv("TZ", old_.c_str(), 1);
        tzset();
    }

private:
    std::string old_;
};

struct BoundCase {
    const char* zone;
    QDate date;
    int hour;
    int64_t bound;
};

TEST(LongTermWindowTest, ADateAndHourOfLocalTimeAndBack)
{
    const BoundCase cases[] = {
        {"UTC", QDate(2023, 11, 14), 22, 1700000000 - 1700000000 % 3600},
        {"UTC", QDate(1970, 1, 2), 0, 86400},
        {"UTC", QDate(2037, 12, 31), 23, 2145913200},
        {"Europe/Oslo", QDate(2026, 12, 5), 7, 1796450400}, // winter: one hour ahead of UTC
        {"Europe/Oslo", QDate(2026, 7, 5), 7, 1783227600},  // summer: two
    };
    for (const BoundCase& c : cases) {
        SCOPED_TRACE(std::string(c.zone) + " " + c.date.toString().toStdString());
        const ZoneScope zone(c.zone);
        EXPECT_EQ(WindowBound(c.date, c.hour), c.bound);
        EXPECT_EQ(WindowDate(c.bound), c.date);
        EXPECT_EQ(WindowHour(c.bound), c.hour);
    }
}

// The hours of a day that has one hour less follow each other without a gap in the bounds.
TEST(LongTermWindowTest, TheDaySummerTimeBegins)
{
    const ZoneScope zone("Europe/Oslo");
    const QDate day(2026, 3, 29);
    EXPECT_EQ(WindowBound(day, 1), 1774742400);
    EXPECT_EQ(WindowBound(day, 3), 1774742400 + 3600) << "2 o'clock does not come: 3 is the next hour";
    // An hour after every hour that exists on the day.
    for (int hour = 4; hour < 24; ++hour)
        EXPECT_EQ(WindowBound(day, hour) - WindowBound(day, hour - 1), 3600) << hour;
    EXPECT_LE(WindowBound(day, 1), WindowBound(day, 2)) << "an hour the day has not still orders";
}

} // namespace
