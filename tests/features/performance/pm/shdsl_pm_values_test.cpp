// The arithmetic of the SHDSL PM dialogs: which groups of a reply are shown as received and which as zeros, and when
// the live graph's series start again.

#include "features/performance/pm/shdsl_pm_values.h"

#include <gtest/gtest.h>

namespace {

ShdslPmRec Reply()
{
    ShdslPmRec rec;
    rec.elapsed15Min = 300;
    rec.current15Min = {10, 2, 1, 3, 400};
    rec.elapsedDay = 40000;
    rec.currentDay = {100, 20, 10, 30, 4000};
    rec.previousDay = {200, 40, 20, 60, 8000};
    return rec;
}

struct GroupCase {
    const char* name;
    void (*spoil)(ShdslPmRec&);
    bool current15Shown, currentDayShown, previousDayShown, elapsedShown;
};

TEST(ShdslPmValuesTest, FromTheFirstImplausibleGroupOnTheReplyShowsZeros)
{
    const GroupCase cases[] = {
        {"plausible", [](ShdslPmRec&) {}, true, true, true, true},
        {"every count at its bound",
         [](ShdslPmRec& r) {
             r.elapsed15Min = 900;
             r.current15Min = {900, 900, 900, 900, 44100};
             r.elapsedDay = 86400;
             r.currentDay = {86400, 86400, 86400, 86400, 4233600};
             r.previousDay = {86400, 86400, 86400, 86400, 4233600};
         },
         true, true, true, true},
        {"day CRC 4233601", [](ShdslPmRec& r) { r.currentDay.crc = 4233601; }, true, false, false, true},
        {"15-minute UAS 901", [](ShdslPmRec& r) { r.current15Min.uas = 901; }, false, false, false, true},
        {"15-minute CRC 44101", [](ShdslPmRec& r) { r.current15Min.crc = 44101; }, false, false, false, true},
        {"day LOSWS 86401", [](ShdslPmRec& r) { r.currentDay.losws = 86401; }, true, false, false, true},
        {"previous day CRC 4233601", [](ShdslPmRec& r) { r.previousDay.crc = 4233601; }, true, true, false, true},
        {"15-minute elapsed 901", [](ShdslPmRec& r) { r.elapsed15Min = 901; }, false, false, false, false},
        {"day elapsed 86401", [](ShdslPmRec& r) { r.elapsedDay = 86401; }, false, false, false, false},
    };
    for (const GroupCase& c : cases) {
        ShdslPmRec received = Reply();
        c.spoil(received);
        const ShdslPmRec shown = PlausibleShdslPm(received);
        EXPECT_EQ(shown.current15Min == received.current15Min, c.current15Shown) << c.name;
        EXPECT_EQ(shown.currentDay == received.currentDay, c.currentDayShown) << c.name;
        EXPECT_EQ(shown.previousDay == received.previousDay, c.previousDayShown) << c.name;
        EXPECT_EQ(shown.elapsed15Min == received.elapsed15Min, c.elapsedShown) << c.name;
        if (!c.current15Shown) {
            EXPECT_EQ(shown.current15Min, ShdslPmCountersRec{}) << c.name;
        }
    }
}

TEST(ShdslPmValuesTest, AnImplausibleIntervalIsClearedWhole)
{
    ShdslIntervalRec rec{10201, 1, 0, {900, 900, 900, 900, 44100}, 1700000000};
    EXPECT_EQ(PlausibleShdslInterval(rec), rec) << "the bounds themselves are plausible";
    rec.counters.es = 901;
    EXPECT_EQ(PlausibleShdslInterval(rec), ShdslIntervalRec{}) << "its creation time included";
    rec.counters.es = 900;
    rec.counters.crc = 44101;
    EXPECT_EQ(PlausibleShdslInterval(rec), ShdslIntervalRec{});
}

ShdslPmCurrentNumbers Numbers(uint32_t base)
{
    return {
        {{base, 1, 2, 3, 4}, {base + 10, 11, 12, 13, 14}, {base + 20, 21, 22, 23, 24}, {base + 30, 31, 32, 33, 34}}};
}

TEST(ShdslPmValuesTest, TheGraphGetsBothSidesOfItsIntervalAndStartsAgainOnARollover)
{
    CShdslPmGraphFeed feed;
    ShdslPmGraphPoint point = feed.Next(Numbers(5), 897, 40000, 0);
    EXPECT_TRUE(point.clear) << "the graph has just opened";
    EXPECT_EQ(point.values, (std::vector<double>{5, 1, 2, 3, 4, 15, 11, 12, 13, 14}));

    point = feed.Next(Numbers(6), 899, 40002, 1);
    EXPECT_FALSE(point.clear);
    EXPECT_EQ(point.values.front(), 6) << "rows 0 and 1 for either of them";

    point = feed.Next(Numbers(7), 12, 40004, 4);
    EXPECT_TRUE(point.clear) << "the 15 minutes rolled over";
    EXPECT_EQ(point.values, (std::vector<double>{27, 21, 22, 23, 24, 37, 31, 32, 33, 34}));

    point = feed.Next(Numbers(1), 14, 40006, 4);
    EXPECT_TRUE(point.clear) << "a counter went down";

    point = feed.Next(Numbers(2), 16, 40008, 5);
    EXPECT_FALSE(point.clear);
    feed.RequestReset();
    EXPECT_TRUE(feed.Next(Numbers(3), 18, 40010, 5).clear) << "restarted";
}

} // namespace
