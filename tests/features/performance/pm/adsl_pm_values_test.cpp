// The arithmetic of the xDSL PM dialogs: which counters are shown as received and which as zeros, the rates of the
// cells between two readings, and the texts of the cell columns.

#include "features/performance/pm/adsl_pm_values.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

XdslPmCountersRec Counters(uint32_t seconds, uint32_t inits = 0)
{
    return {seconds, seconds, seconds, seconds, 5000, 600, 70, inits, inits};
}

struct PlausibleCase {
    const char* name;
    XdslPmCountersRec counters;
    uint32_t length;
    bool inits;
    bool shown;
};

TEST(AdslPmValuesTest, CountersAboveTheirIntervalAreShownAsZeros)
{
    XdslPmCountersRec losOnly;
    losOnly.los = 901;
    XdslPmCountersRec uasOnly;
    uasOnly.uas = 86401;
    XdslPmCountersRec failedInits;
    failedInits.failedInits = 901;
    const PlausibleCase cases[] = {
        {"every second of the 15 minutes", Counters(900), 900, true, true},
        {"a second more", Counters(901), 900, true, false},
        {"as many initialisations as seconds", Counters(900, 900), 900, true, true},
        {"an initialisation more", Counters(900, 901), 900, true, false},
        {"LOS alone", losOnly, 900, true, false},
        {"UAS over a day", uasOnly, 86400, true, false},
        {"failed initialisations", failedInits, 900, true, false},
        {"initialisations not counted on the RT side", failedInits, 900, false, true},
    };
    for (const PlausibleCase& c : cases) {
        SCOPED_TRACE(c.name);
        const XdslPmCountersRec shown = PlausibleCounters(c.counters, c.length, c.inits);
        EXPECT_EQ(shown, c.shown ? c.counters : XdslPmCountersRec{});
    }
}

TEST(AdslPmValuesTest, AnImplausibleGroupZerosTheCurrentRecordFromThatGroupOn)
{
    AdslCurrentPmRec rec;
    rec.entityId = 10103;
    rec.elapsed15Min = 300;
    rec.current15Min = Counters(10);
    rec.elapsedDay = 40000;
    rec.currentDay = Counters(100);
    rec.previousDay = Counters(200);
    EXPECT_EQ(PlausibleCurrent(rec, true), rec);

    AdslCurrentPmRec previous = rec;
    previous.previousDay.ses = 86401;
    AdslCurrentPmRec shown = PlausibleCurrent(previous, true);
    EXPECT_EQ(shown.currentDay, rec.currentDay);
    EXPECT_EQ(shown.previousDay, XdslPmCountersRec{});

    AdslCurrentPmRec day = rec;
    day.currentDay.es = 86401;
    shown = PlausibleCurrent(day, true);
    EXPECT_EQ(shown.current15Min, rec.current15Min);
    EXPECT_EQ(shown.currentDay, XdslPmCountersRec{});
    EXPECT_EQ(shown.previousDay, XdslPmCountersRec{});

    AdslCurrentPmRec quarter = rec;
    quarter.current15Min.uas = 901;
    shown = PlausibleCurrent(quarter, true);
    EXPECT_EQ(shown.elapsed15Min, 300u);
    EXPECT_EQ(shown.current15Min, XdslPmCountersRec{});
    EXPECT_EQ(shown.currentDay, XdslPmCountersRec{});
    EXPECT_EQ(shown.previousDay, XdslPmCountersRec{});

    // The elapsed seconds at the interval's length are kept; one more zeros the record.
    for (const auto& [quarterSeconds, daySeconds, kept] :
         {std::tuple{900u, 40000u, true}, std::tuple{300u, 86400u, true}, std::tuple{901u, 40000u, false},
          std::tuple{300u, 86401u, false}}) {
        AdslCurrentPmRec elapsed = rec;
        elapsed.elapsed15Min = quarterSeconds;
        elapsed.elapsedDay = daySeconds;
        EXPECT_EQ(PlausibleCurrent(elapsed, true), kept ? elapsed : AdslCurrentPmRec{})
            << quarterSeconds << " " << daySeconds;
    }
}

// The whole record is cleared, its creation time included: a row of zeros with an empty time.
TEST(AdslPmValuesTest, AnImplausibleIntervalIsClearedWhole)
{
    XdslPmIntervalRec rec{10103, 1, Counters(0, 901), 1700000100};
    EXPECT_EQ(PlausibleInterval(rec, true), XdslPmIntervalRec{});
    EXPECT_EQ(PlausibleInterval(rec, false).counters, rec.counters) << "the RT side counts no initialisations";
}

struct RateCase {
    const char* name;
    uint32_t cells;
    uint32_t elapsed;
    uint32_t earlierCells;
    uint32_t earlierElapsed;
    std::optional<double> rate;
};

TEST(AdslPmValuesTest, TheRateSinceAnEarlierReading)
{
    const RateCase cases[] = {
        // Nothing read before: the average since the interval began.
        {"first reading", 2000, 424, 0, 0, 2.0},
        {"since the last", 3000, 434, 2000, 424, 42.4},
        // The interval started again, or the counter wrapped: no rate, never a huge one.
        {"count went down", 100, 10, 5000, 890, std::nullopt},
        {"wrapped", 10, 500, 4294967290u, 499, std::nullopt},
        {"no time passed", 3000, 424, 2000, 424, std::nullopt},
        {"time went back", 3000, 400, 2000, 424, std::nullopt},
    };
    for (const RateCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<double> rate = RateSince(c.cells, c.elapsed, c.earlierCells, c.earlierElapsed);
        ASSERT_EQ(rate.has_value(), c.rate.has_value());
        if (rate) {
            EXPECT_DOUBLE_EQ(*rate, *c.rate);
        }
    }
}

TEST(AdslPmValuesTest, CellTexts)
{
    // 1000 cells over 15 minutes: 0.47 kbit/s.
    EXPECT_EQ(CellsText(1000, CellRateKbps(1000, k15MinSeconds)), "1000 / 0.5");
    EXPECT_EQ(CellsText(4294967295u, std::nullopt), "4294967295 / --");
    EXPECT_EQ(CellsText(0, CellRateKbps(0, 0)), "0 / 0.0");
}

} // namespace
