// The arithmetic of the NE clock dialogs: the workstation's zone in whole hours, local dates and times under a TZ the
// test sets, the update period's split and its fields' ranges, and what a time server's text is.

#include "features/management/clock/ne_time_rules.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace {

// Sets TZ for the test and puts the old one back.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone)
    {
        if (const char* old = std::getenv("TZ"))
            old_ = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedTimeZone()
    {
        if (old_)
            setenv("TZ", old_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    std::optional<std::string> old_;
};

TEST(NeTimeRules, TimeZoneHoursAreTruncatedTowardZero)
{
    struct Row {
        long secondsWest;
        int hoursEast;
    };
    for (const Row row : {Row{0, 0}, Row{-28800, 8}, Row{18000, -5}, Row{-19800, 5}, Row{12600, -3}, Row{-46800, 13},
                          Row{43200, -12}, Row{-3599, 0}}) {
        EXPECT_EQ(TimeZoneHoursEast(row.secondsWest), row.hoursEast) << row.secondsWest;
    }
}

TEST(NeTimeRules, TheWorkstationsZoneComesFromTz)
{
    struct Row {
        const char* tz;
        int hoursEast;
    };
    for (const Row row :
         {Row{"UTC0", 0}, Row{"CST-8", 8}, Row{"EST5EDT", -5}, Row{"IST-5:30", 5}, Row{"NST3:30", -3}}) {
        const ScopedTimeZone zone(row.tz);
        EXPECT_EQ(WorkstationTimeZoneHours(), row.hoursEast) << row.tz;
    }
}

TEST(NeTimeRules, LocalDatesAndTimesFollowTz)
{
    {
        const ScopedTimeZone zone("UTC0");
        EXPECT_EQ(SecondsOfLocal({2030, 1, 2, 3, 4, 5}), 1893553445u);
        EXPECT_EQ(LocalOfSeconds(1893553445u), (LocalDateTime{2030, 1, 2, 3, 4, 5}));
        EXPECT_EQ(SecondsOfLocal({1969, 12, 31, 23, 0, 0}), 0u) << "before 1970";
    }
    {
        // Daylight saving as the zone says: 12:00 on a summer day two hours east of GMT.
        const ScopedTimeZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
        EXPECT_EQ(SecondsOfLocal({2030, 7, 1, 12, 0, 0}), 1909130400u);
        EXPECT_EQ(LocalOfSeconds(1909130400u), (LocalDateTime{2030, 7, 1, 12, 0, 0}));
    }
}

TEST(NeTimeRules, UpdatePeriodsReadFromTheNeKeepTheirRange)
{
    struct Row {
        uint32_t minutes;
        UpdatePeriod shown;
    };
    for (const Row row :
         {Row{0, {0, 1}}, Row{1, {0, 1}}, Row{61, {1, 1}}, Row{720, {12, 0}}, Row{1440, {24, 0}}, Row{2000, {24, 0}}}) {
        EXPECT_EQ(SplitUpdatePeriod(row.minutes), row.shown) << row.minutes;
    }
}

TEST(NeTimeRules, TheHourSpinStepsRoundItsEnds)
{
    struct Row {
        uint32_t hours;
        int delta;
        uint32_t stepped;
    };
    for (const Row row : {Row{23, 1, 24}, Row{24, 1, 0}, Row{0, -1, 24}, Row{12, -1, 11}, Row{24, -1, 23}}) {
        EXPECT_EQ(StepUpdateHours(row.hours, row.delta), row.stepped) << row.hours << " " << row.delta;
    }
}

TEST(NeTimeRules, ATimeServerIsANameOrAUsableAddress)
{
    struct Row {
        const char* text;
        TimeServerText kind;
        int badCharacter;
    };
    const Row rows[] = {
        {"", TimeServerText::kHostName, -1},
        {"ntp1.example.net", TimeServerText::kHostName, -1},
        {"10.0.0", TimeServerText::kHostName, -1},
        {"1.pool.ntp.org", TimeServerText::kHostName, -1},
        {"10.1.1.1", TimeServerText::kIpAddress, -1},
        {"10.0.0.1x", TimeServerText::kIpAddress, -1},
        {"0.0.0.1", TimeServerText::kIncorrectIpAddress, -1},
        {"0.pool.ntp.org", TimeServerText::kIncorrectIpAddress, -1},
        {"10.0.0.256", TimeServerText::kIncorrectIpAddress, -1},
        {"10.256.0.1", TimeServerText::kIncorrectIpAddress, -1},
        {"10.255.0.1", TimeServerText::kIpAddress, -1},
        {"127.0.0.1", TimeServerText::kIncorrectIpAddress, -1},
        {"224.0.0.1", TimeServerText::kIncorrectIpAddress, -1},
        {"10.0.0.255", TimeServerText::kIncorrectIpAddress, -1},
        {"ntp server", TimeServerText::kBadCharacter, 3},
        {"a/b.example", TimeServerText::kBadCharacter, 1},
    };
    for (const Row& row : rows) {
        const TimeServerCheck check = CheckTimeServerText(row.text);
        EXPECT_EQ(check.kind, row.kind) << row.text;
        EXPECT_EQ(check.badCharacter, row.badCharacter) << row.text;
    }
}

} // namespace
