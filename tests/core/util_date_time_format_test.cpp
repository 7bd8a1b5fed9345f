#include "core/util/date_time_format.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

namespace {

// Sets TZ for one test and puts the previous value back.
class TimeZoneTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (hadTz_)
            setenv("TZ", oldTz_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    void UseZone(const char* zone)
    {
        setenv("TZ", zone, 1);
        tzset();
    }

private:
    bool hadTz_ = std::getenv("TZ") != nullptr;
    std::string oldTz_ = hadTz_ ? std::getenv("TZ") : "";
};

class DateTimeUtc : public TimeZoneTest {
protected:
    void SetUp() override { UseZone("UTC"); }
};

TEST_F(DateTimeUtc, Formats)
{
    const uint32_t t = 1625108645; // 2021-07-01 03:04:05 UTC
    EXPECT_EQ(FormatDateTime(t), "2021-07-01 03:04:05");
    EXPECT_EQ(FormatDateTime2(t), "2021-07-01 03:04:05");
    EXPECT_EQ(FormatShortDateTime(t), "07-01 03:04");
    EXPECT_EQ(FormatDateHour(t), "2021-07-01 03hr.");

    EXPECT_EQ(FormatDateTime(0), "1970-01-01 00:00:00");
    EXPECT_EQ(FormatDateTime2(0), "");
    EXPECT_EQ(FormatShortDateTime(0), "");
    EXPECT_EQ(FormatDateHour(0), "1970-01-01 00hr.");
    EXPECT_EQ(FormatDateTime(4294967295u), "2106-02-07 06:28:15");
}

TEST(FormatUptime, DaysAndClockWithTwoBlanks)
{
    EXPECT_EQ(FormatUptime(0), "0 days  00:00:00");
    EXPECT_EQ(FormatUptime(59), "0 days  00:00:59");
    EXPECT_EQ(FormatUptime(86399), "0 days  23:59:59");
    EXPECT_EQ(FormatUptime(86400), "1 days  00:00:00");
    EXPECT_EQ(FormatUptime(90061), "1 days  01:01:01");
    EXPECT_EQ(FormatUptime(4294967295u), "49710 days  06:28:15");
}

TEST_F(DateTimeUtc, ParseTable)
{
    const struct {
        const char* text;
        uint32_t seconds;
    } rows[] = {
        {"2021-07-01 03:04:05", 1625108645},
        {"2021-7-1 3:4:5", 1625108645},
        {"  2021-07-01 03:04:05\t", 1625108645},
        {"1970-01-01 00:00:01", 1},
        {"2000-02-29 12:00:00", 951825600},
        {"2106-02-07 06:28:15", 4294967295u},
        {"2106-02-07 06:28:16", 0},
        {"1969-12-31 23:59:59", 0},
        {"1970-01-01 00:00:00", 0},
        {"2001-02-29 00:00:00", 0},
        {"2021-04-31 00:00:00", 0},
        {"2021-13-01 00:00:00", 0},
        {"2021-00-01 00:00:00", 0},
        {"2021-01-00 00:00:00", 0},
        {"2021-01-01 24:00:00", 0},
        {"2021-01-01 00:60:00", 0},
        {"2021-01-01 00:00:60", 0},
        {"2021-01-01", 0},
        {"2021-01-01 00:00", 0},
        {"2021-01-01T00:00:00", 0},
        {"2021/01/01 00:00:00", 0},
        {"21-01-01 00:00:00", 0},
        {"2021-001-01 00:00:00", 0},
        {"2021-01-01 00:00:00x", 0},
        {"2021-01-01  00:00:00", 0},
        {"", 0},
        {"not a date", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(ParseDateTimeText(row.text), row.seconds);
    }
}

class DateTimeHelsinki : public TimeZoneTest {
protected:
    void SetUp() override
    {
        if (!std::filesystem::exists("/usr/share/zoneinfo/Europe/Helsinki"))
            GTEST_SKIP() << "time zone data for Europe/Helsinki is not installed";
        UseZone("Europe/Helsinki");
    }
};

TEST_F(DateTimeHelsinki, LocalTimeWithSummerTime)
{
    EXPECT_EQ(FormatDateTime(0), "1970-01-01 02:00:00");
    EXPECT_EQ(FormatDateTime(1625108645), "2021-07-01 06:04:05"); // UTC+3 in summer
    EXPECT_EQ(FormatDateTime(1610000000), "2021-01-07 08:13:20"); // UTC+2 in winter
    EXPECT_EQ(FormatShortDateTime(1625108645), "07-01 06:04");
    EXPECT_EQ(FormatDateHour(1625108645), "2021-07-01 06hr.");
    EXPECT_EQ(FormatUptime(90061), "1 days  01:01:01"); // a duration, not a time of day

    EXPECT_EQ(ParseDateTimeText("2021-07-01 06:04:05"), 1625108645u);
    EXPECT_EQ(ParseDateTimeText("2021-01-07 08:13:20"), 1610000000u);
    EXPECT_EQ(ParseDateTimeText("1970-01-01 02:00:01"), 1u);
    EXPECT_EQ(ParseDateTimeText("1970-01-01 01:59:59"), 0u); // before 1970 in UTC
    // Around both switches (the repeated autumn hour is ambiguous as text and left out).
    for (uint32_t t : {1616893200u - 1, 1616893200u, 1635642000u - 3601, 1635642000u + 3600})
        EXPECT_EQ(ParseDateTimeText(FormatDateTime(t)), t) << t;
}

} // namespace
