// What the current PM dialog feeds its live graph: totals and changes of the graphed row's cells with their rates,
// and a new start of the series when asked, when an interval rolled over or a counter went down.

#include "features/performance/pm/adsl_pm_graph_feed.h"

#include <gtest/gtest.h>

namespace {

// The numbers of the four current rows with the given cells of the day's CO row (list row 4).
AdslPmCurrentNumbers WithDayCells(uint32_t tx, uint32_t rx)
{
    AdslPmCurrentNumbers numbers{};
    numbers[2][4] = tx;
    numbers[2][5] = rx;
    return numbers;
}

TEST(AdslPmGraphFeedTest, TotalsChangesAndRatesOfTheGraphedRow)
{
    CAdslPmGraphFeed feed;
    // The first refresh after the graph opened: the series start, no change yet, both rates the average.
    AdslPmGraphPoints points = feed.Next(WithDayCells(10000, 2000), 100, 1000, 4);
    EXPECT_TRUE(points.clear);
    EXPECT_EQ(points.elapsed, 1000u);
    ASSERT_EQ(points.values.size(), 8u);
    EXPECT_EQ(points.values[0], 10000);
    EXPECT_EQ(points.values[1], 0);
    EXPECT_DOUBLE_EQ(points.values[2], 10000 * 0.424 / 1000);
    EXPECT_DOUBLE_EQ(points.values[3], points.values[2]);
    EXPECT_EQ(points.values[4], 2000);

    // Two seconds later: the change, and the rate over the two seconds.
    points = feed.Next(WithDayCells(12000, 2100), 102, 1002, 4);
    EXPECT_FALSE(points.clear);
    EXPECT_EQ(points.values[1], 2000);
    EXPECT_DOUBLE_EQ(points.values[3], 2000 * 0.424 / 2);
    EXPECT_EQ(points.values[5], 100);
    EXPECT_DOUBLE_EQ(points.values[7], 100 * 0.424 / 2);
}

struct RestartCase {
    const char* name;
    uint32_t elapsed15Min;
    uint32_t elapsedDay;
    uint32_t tx;
    bool reset;
    bool clear;
};

TEST(AdslPmGraphFeedTest, TheSeriesStartAgain)
{
    const RestartCase cases[] = {
        {"a refresh like any", 105, 1005, 13000, false, false},
        {"the 15 minutes rolled over", 3, 1005, 13000, false, true},
        {"the day rolled over", 105, 2, 13000, false, true},
        {"the elapsed time stood still", 100, 1005, 13000, false, true},
        {"a counter went down", 105, 1005, 9000, false, true},
        {"Restart", 105, 1005, 13000, true, true},
    };
    for (const RestartCase& c : cases) {
        SCOPED_TRACE(c.name);
        CAdslPmGraphFeed feed;
        feed.Next(WithDayCells(12000, 0), 100, 1000, 4);
        if (c.reset)
            feed.RequestReset();
        const AdslPmGraphPoints points = feed.Next(WithDayCells(c.tx, 0), c.elapsed15Min, c.elapsedDay, 4);
        EXPECT_EQ(points.clear, c.clear);
        if (c.clear) {
            EXPECT_EQ(points.values[1], 0) << "a new start has no change";
        }
    }
}

} // namespace
