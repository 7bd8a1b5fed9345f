// The watch a progress dialog keeps over an operation of the NE, on a clock the test moves, as the line tests use it:
// the NE is asked a poll period after the start and after each answer that the operation goes on, never given up
// without a time limit, and the banner moves on a counter that outlives the watch.
#include "core/util/progress_watch.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class CTestClock {
public:
    CProgressWatch::Clock Clock()
    {
        return [this] {
            TimeRec now{20000, 0};
            AddMsToTimeRec(&now, offsetMs_);
            return now;
        };
    }
    void Set(int64_t ms) { offsetMs_ = ms; }

private:
    int64_t offsetMs_ = 0;
};

TEST(ProgressWatchTest, ALineTestIsAskedAboutEveryTenSecondsAndNeverGivenUp)
{
    struct Step {
        int64_t clockMs;
        bool goesOn; // the NE says the test runs on
        bool poll;
        uint32_t bar;
    };
    const std::vector<Step> steps = {
        {9999, false, false, 9999},   {10000, true, true, 10000},
        {19999, false, false, 19999}, {20000, true, true, 20000},
        {29999, false, false, 29999}, {35000, false, true, 0},
        {3600000, true, true, 30000}, {3609999, false, false, 39999 % 35000},
    };
    CTestClock clock;
    CProgressWatch watch(clock.Clock(), {.barRangeMs = 35000, .pollPeriodMs = 10000});
    for (const Step& step : steps) {
        SCOPED_TRACE(step.clockMs);
        clock.Set(step.clockMs);
        const CProgressWatch::Tick tick = watch.OnTick();
        EXPECT_EQ(tick.poll, step.poll);
        EXPECT_EQ(tick.barPosition, step.bar);
        EXPECT_FALSE(tick.timedOut);
        if (step.goesOn)
            watch.Polled();
    }
}

TEST(ProgressWatchTest, TheBannerMovesEveryFifteenTicksOfACounterThatOutlivesTheWatch)
{
    CTestClock clock;
    uint32_t ticks = 9990;
    std::vector<int> moves;
    {
        CProgressWatch first(clock.Clock(), {.barRangeMs = 1, .pollPeriodMs = 10000, .tickCounter = &ticks});
        for (int i = 0; i < 20; ++i) {
            if (first.OnTick().moveBanner)
                moves.push_back(static_cast<int>(ticks));
        }
    }
    CProgressWatch second(clock.Clock(), {.barRangeMs = 1, .pollPeriodMs = 10000, .tickCounter = &ticks});
    for (int i = 0; i < 10; ++i) {
        if (second.OnTick().moveBanner)
            moves.push_back(static_cast<int>(ticks));
    }
    // The counter wraps at 10000 and runs on in the next watch.
    EXPECT_EQ(moves, (std::vector<int>{0, 15}));
    EXPECT_EQ(ticks, 20u);
}

} // namespace
