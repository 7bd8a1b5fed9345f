// The downstream rates of the IP traffic and multicast channel profiles: what the edit holds once it loses the focus,
// what the up-down control steps to (going round at both ends), and how a stored rate shows, never above the largest
// rate a profile can be written with.

#include "features/provisioning/profiles/profile_rates.h"

#include <gtest/gtest.h>

namespace {

TEST(ProfileRatesTest, ATypedRateBecomesAWholeStepInTheRange)
{
    const struct {
        uint32_t typed;
        uint32_t kept;
    } cases[] = {{100, 96},      {10, 32},       {0, 32},        {32, 32},       {63, 32},           {64, 64},
                 {29984, 29984}, {29999, 29984}, {30000, 29984}, {40000, 29984}, {UINT32_MAX, 29984}};
    for (const auto& c : cases)
        EXPECT_EQ(RateOnLeavingEdit(c.typed), c.kept) << c.typed;
}

TEST(ProfileRatesTest, TheSpinStepsByAStepAndGoesRoundAtBothEnds)
{
    const struct {
        uint32_t shown;
        int steps;
        uint32_t after;
    } cases[] = {{32, -1, 29984},   {29984, 1, 32}, {100, 1, 128}, {100, -1, 64}, {64, -1, 32},
                 {29952, 1, 29984}, {31000, 1, 32}, {0, 1, 32},    {0, -1, 29984}};
    for (const auto& c : cases)
        EXPECT_EQ(RateAfterSpin(c.shown, c.steps), c.after) << c.shown << " " << c.steps;
}

TEST(ProfileRatesTest, AStoredRateShowsWithinTheRangeUnrounded)
{
    EXPECT_EQ(RateAsLoaded(31000), 29984u) << "never 30000, which no profile can be written with";
    EXPECT_EQ(RateAsLoaded(30000), 29984u);
    EXPECT_EQ(RateAsLoaded(5), 32u);
    EXPECT_EQ(RateAsLoaded(1000), 1000u);
}

} // namespace
