// What the trunk port PM dialog feeds its live graph: the graphed row's totals in and out and their differences from
// the refresh before, differences of 0 at the first point, and a new start when a counter went down; and which of a
// reply's counters each row shows.

#include "features/performance/pm/trunk_pm_graph_feed.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// Rows 0..5 (octets, unicast, non-unicast, discarded, erroneous packets, PAUSE frames), incoming then outgoing.
TEST(TrunkPmGraphFeedTest, EachRowShowsItsCounterOfTheReply)
{
    TrunkPmRec rec;
    rec.entityId = 10501;
    rec.incoming = {11, 12, 13, 14, 15};
    rec.outgoing = {21, 22, 23, 24, 25};
    rec.incomingPauseFrames = 16;
    rec.outgoingPauseFrames = 26;
    EXPECT_EQ(CountersOf(rec), (TrunkPmCounters{11, 12, 13, 14, 15, 16, 21, 22, 23, 24, 25, 26}));
}

// Counters with the given octets in and out (row 0) and unicast packets in and out (row 1).
TrunkPmCounters Counters(uint32_t octetsIn, uint32_t octetsOut, uint32_t unicastIn = 0, uint32_t unicastOut = 0)
{
    TrunkPmCounters counters{};
    counters[0] = octetsIn;
    counters[6] = octetsOut;
    counters[1] = unicastIn;
    counters[7] = unicastOut;
    return counters;
}

TEST(TrunkPmGraphFeedTest, PointsOfTheGraphedRowFromItsFirstOn)
{
    struct Step {
        TrunkPmCounters counters;
        bool reset;
        bool clear;
        std::array<double, 4> values;
    };
    const Step steps[] = {
        // The first point after the graph opened: differences of 0.
        {Counters(1000, 500), false, false, {1000, 0, 500, 0}},
        {Counters(1600, 700), false, false, {1600, 600, 700, 200}},
        {Counters(1600, 900), false, false, {1600, 0, 900, 200}},
        // The incoming counter went down (it wrapped): the graph starts again from the new values.
        {Counters(100, 1000), false, true, {100, 0, 1000, 0}},
        {Counters(400, 1100), false, false, {400, 300, 1100, 100}},
        // Restart: the next point is a first one again.
        {Counters(900, 1500), true, false, {900, 0, 1500, 0}},
        {Counters(1000, 1400), false, true, {1000, 0, 1400, 0}},
    };
    CTrunkPmGraphFeed feed;
    int n = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(n++);
        if (step.reset)
            feed.RequestReset();
        const TrunkPmGraphPoint point = feed.Next(step.counters, 0);
        EXPECT_EQ(point.clear, step.clear);
        EXPECT_EQ(point.values, step.values);
    }
}

TEST(TrunkPmGraphFeedTest, TheRowChosenIsTheOneGraphed)
{
    CTrunkPmGraphFeed feed;
    feed.Next(Counters(10, 20, 100, 200), 1);
    const TrunkPmGraphPoint point = feed.Next(Counters(5, 20, 130, 260), 1);
    EXPECT_FALSE(point.clear) << "another row's counter going down does not count";
    EXPECT_EQ(point.values, (std::array<double, 4>{130, 30, 260, 60}));
}

} // namespace
