// The simulated lines' PM: counters that grow within their interval and never pass its length, intervals that add
// up to their day, and the same answer for the same port and second.
#include "sim/pm/adsl_pm_generator.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kMidnight = 1700006400; // a UTC midnight
constexpr uint32_t kPort = 10103;

XdslPmCountersRec Sum(const XdslPmCountersRec& a, const XdslPmCountersRec& b)
{
    return {a.los + b.los,
            a.es + b.es,
            a.ses + b.ses,
            a.uas + b.uas,
            a.txCells + b.txCells,
            a.rxCells + b.rxCells,
            a.cvs + b.cvs,
            a.fullInits + b.fullInits,
            a.failedInits + b.failedInits};
}

bool NotBelow(const XdslPmCountersRec& later, const XdslPmCountersRec& earlier)
{
    return later.los >= earlier.los && later.es >= earlier.es && later.ses >= earlier.ses && later.uas >= earlier.uas &&
           later.txCells >= earlier.txCells && later.rxCells >= earlier.rxCells && later.cvs >= earlier.cvs &&
           later.fullInits >= earlier.fullInits && later.failedInits >= earlier.failedInits;
}

TEST(AdslPmGeneratorTest, CountersGrowWithinTheIntervalAndStartAgainAtItsEnd)
{
    const CAdslPmGenerator pm;
    const uint32_t quarter = kMidnight + 36 * 900;
    AdslCurrentPmRec before = pm.Current(kPort, PmSide::kCo, quarter + 1);
    for (uint32_t t = quarter + 2; t < quarter + 900; t += 37) {
        const AdslCurrentPmRec now = pm.Current(kPort, PmSide::kCo, t);
        EXPECT_EQ(now.elapsed15Min, t - quarter);
        EXPECT_TRUE(NotBelow(now.current15Min, before.current15Min)) << t;
        EXPECT_TRUE(NotBelow(now.currentDay, before.currentDay)) << t;
        EXPECT_EQ(now.previousDay, before.previousDay);
        before = now;
    }
    EXPECT_GT(before.current15Min.txCells, 0u);
    const AdslCurrentPmRec next = pm.Current(kPort, PmSide::kCo, quarter + 900);
    EXPECT_EQ(next.elapsed15Min, 0u);
    EXPECT_EQ(next.current15Min, XdslPmCountersRec{});
    // What the current 15 minutes counted is the latest stored interval once they end.
    EXPECT_EQ(pm.StoredInterval(kPort, PmSide::kCo, quarter + 900, 1).counters,
              pm.Counters(kPort, PmSide::kCo, quarter, quarter + 900));
}

TEST(AdslPmGeneratorTest, TheStoredIntervalsOfADayAddUpToThePreviousDay)
{
    const CAdslPmGenerator pm;
    const uint32_t now = kMidnight + 86400 + 25;
    for (PmSide side : {PmSide::kCo, PmSide::kRt}) {
        XdslPmCountersRec day;
        for (uint32_t n = 1; n <= kStoredPmIntervals; ++n) {
            const XdslPmIntervalRec interval = pm.StoredInterval(kPort, side, now, n);
            EXPECT_EQ(interval.createTime, kMidnight + 86400 - (n - 1) * 900);
            // No count of seconds passes the interval's length.
            for (uint32_t seconds :
                 {interval.counters.los, interval.counters.es, interval.counters.ses, interval.counters.uas})
                EXPECT_LE(seconds, 900u);
            day = Sum(day, interval.counters);
        }
        EXPECT_EQ(day, pm.Current(kPort, side, now).previousDay);
    }
    EXPECT_EQ(pm.Current(kPort, PmSide::kRt, now).previousDay.txCells, 0u) << "the remote end counts no cells";
}

TEST(AdslPmGeneratorTest, ALineShowsErrorsRetrainsAndItsRateOverADay)
{
    const CAdslPmGenerator pm;
    const XdslPmCountersRec day = pm.Counters(kPort, PmSide::kCo, kMidnight, kMidnight + 86400);
    EXPECT_GT(day.es, 0u);
    EXPECT_GT(day.cvs, day.es);
    EXPECT_GE(day.ses, 1u);
    // A day's cells at the line's rate and a load under 85 %.
    const double fullDayCells = pm.DownstreamKbps(kPort) * 1000.0 / 424 * 86400;
    EXPECT_GT(day.txCells, fullDayCells * 0.1);
    EXPECT_LT(day.txCells, fullDayCells * 0.85);
    // Over a week of a dozen ports, lines retrain now and then.
    uint32_t inits = 0;
    for (uint32_t port = 10101; port <= 10112; ++port)
        inits += pm.Counters(port, PmSide::kCo, kMidnight, kMidnight + 7 * 86400).fullInits;
    EXPECT_GT(inits, 10u);
    EXPECT_LT(inits, 200u);
}

TEST(AdslPmGeneratorTest, AnyPartOfASpanAddsUpToTheSpan)
{
    const CAdslPmGenerator pm;
    const uint32_t from = kMidnight + 1234;
    for (uint32_t cut : {from + 1, from + 59, from + 60, from + 61, from + 777}) {
        EXPECT_EQ(Sum(pm.Counters(kPort, PmSide::kCo, from, cut), pm.Counters(kPort, PmSide::kCo, cut, from + 1800)),
                  pm.Counters(kPort, PmSide::kCo, from, from + 1800))
            << cut;
    }
}

} // namespace
