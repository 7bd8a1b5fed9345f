// The alarm name filter of the alarm lists, as a table of typed texts and the names they let through.

#include "features/fault/alarm_lists/alarm_name_filter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(AlarmNameFilterTest, TypedNamesAgainstAlarmNames)
{
    struct Case {
        const char* typed;
        const char* name;
        bool matches;
    };
    const Case cases[] = {
        {"LOS", "LOS", true},
        {"los", "LOS", true},
        {"LOF,LOS", "LOS", true},
        {"LOF; LOS", "LOS", true},
        {"LOF/LOS", "LOS", true},
        {"LOF LOS", "LOS", true},
        {"LOF", "LOS", false},
        {"LO", "LOS", false},
        {"", "LOS", false},
        {"card out", "Card Out", true},
        {"Card Fail, card out", "Card Out", true},
        {"card", "Card Out", false},
        // Fifteen characters decide.
        {"ABCDEFGHIJKLMNOxyz", "abcdefghijklmno", true},
        {"ABCDEFGHIJKLMN", "abcdefghijklmno", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " / " + c.name);
        EXPECT_EQ(CAlarmNameFilter(c.typed).Matches(c.name), c.matches);
    }
}

TEST(AlarmNameFilterTest, ARowPassesWhenOneOfItsAlarmsIsNamed)
{
    const CAlarmNameFilter filter("High Temp, LOS");
    EXPECT_TRUE(filter.MatchesAnyOf("Card Fail,High Temp"));
    EXPECT_TRUE(filter.MatchesAnyOf("LOS"));
    EXPECT_FALSE(filter.MatchesAnyOf("Card Fail,FW Mismatch"));
    EXPECT_FALSE(filter.MatchesAnyOf(""));
    // Text past 255 characters is not read.
    EXPECT_FALSE(CAlarmNameFilter(std::string(260, ',') + "LOS").Matches("LOS"));
}

} // namespace
