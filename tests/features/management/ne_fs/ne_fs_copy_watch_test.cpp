// The watch over a copy the NE performs, on a clock the test moves: when the NE is asked again, how a clock set back
// is taken, and what the operator reads meanwhile.

#include "features/management/ne_fs/ne_fs_copy_watch.h"

#include "ui/framework/messages/string_ids.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

// A clock at a fixed start plus what the test adds.
class CTestClock {
public:
    CNeFsCopyWatch::Clock Clock()
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

struct Step {
    int64_t clockMs;       // the clock, from the start
    bool answered = false; // the NE said "in progress" after the tick
    bool poll;
    int64_t elapsedMs;
    bool timedOut = false;
};

struct Case {
    const char* name;
    std::vector<Step> steps;
};

TEST(NeFsCopyWatch, AsksTheNeEveryThirtySecondsForAsLongAsItCopies)
{
    const Case cases[] = {
        {"the first question after thirty seconds",
         {{29999, false, false, 29999}, {30000, true, true, 30000}, {45000, false, false, 45000}}},
        {"the next thirty seconds after the answer, not after the start",
         {{31000, true, true, 31000}, {60999, false, false, 60999}, {61000, true, true, 61000}}},
        {"a copy in progress for two minutes is asked about four times",
         {{30000, true, true, 30000},
          {60000, true, true, 60000},
          {90000, true, true, 90000},
          {120000, true, true, 120000},
          {130000, false, false, 130000}}},
        {"a clock set back restarts the count and asks at once",
         {{10000, false, false, 10000}, {-5000, true, true, 0}, {5000, false, false, 10000}}},
        {"a copy in progress for an hour is still asked about, never given up",
         {{599999, true, true, 599999},
          {600000, false, false, 600000},
          {3600000, true, true, 3600000},
          {3600001, false, false, 3600001}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        CTestClock clock;
        CNeFsCopyWatch watch(clock.Clock(), 35000);
        for (const Step& step : test.steps) {
            SCOPED_TRACE(step.clockMs);
            clock.Set(step.clockMs);
            const CNeFsCopyWatch::Tick tick = watch.OnTick();
            EXPECT_EQ(tick.poll, step.poll);
            EXPECT_EQ(tick.elapsedMs, step.elapsedMs);
            EXPECT_EQ(tick.timedOut, step.timedOut);
            if (step.answered)
                watch.Polled();
        }
    }
}

TEST(NeFsCopyWatch, TheBarRunsRoundTheServerWaitAndTheBannerMovesEveryFifteenTicks)
{
    CTestClock clock;
    CNeFsCopyWatch watch(clock.Clock(), 35000);
    int moves = 0;
    for (int i = 1; i <= 45; ++i) {
        clock.Set(i * 1000);
        const CNeFsCopyWatch::Tick tick = watch.OnTick();
        EXPECT_EQ(tick.barPosition, static_cast<uint32_t>((i * 1000) % 35000));
        moves += tick.moveBanner ? 1 : 0;
    }
    EXPECT_EQ(moves, 3);
}

TEST(NeFsCopyWatch, TheOperatorReadsSecondsAndMillisecondsAndAScrollingBanner)
{
    EXPECT_EQ(ElapsedText(0), "0.000");
    EXPECT_EQ(ElapsedText(61007), "61.007");
    EXPECT_EQ(RotateBanner("Please wait"), "lease waitP");
    EXPECT_EQ(RotateBanner(""), "");
    EXPECT_EQ(RotateBanner(std::string(300, 'x') + "y").size(), 256u);
}

TEST(NeFsCopyWatch, OnlyTheFourFailureStatesHaveAText)
{
    const std::vector<std::pair<uint32_t, std::optional<uint32_t>>> states = {
        {0, std::nullopt},           {1, std::nullopt},           {3, kStrFileCannotBeTransferred},
        {4, kStrFileCannotBeCopied}, {5, kStrSourceFileNotExist}, {6, kStrNeInternalError},
        {7, std::nullopt},
    };
    for (const auto& [state, text] : states)
        EXPECT_EQ(CopyFailureTextId(state), text) << state;
}

} // namespace
