// The downstream rates of the IP traffic and multicast channel profiles: what the edit holds once it loses the focus,
// what the up-down control steps to (going round at both ends), and how a stored rate shows until the edit is left.

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

TEST(ProfileRatesTest, AStoredRateShowsRaisedTo32OrLoweredTo30000Unrounded)
{
    const struct {
        uint32_t stored;
        uint32_t shown;
    } cases[] = {{31000, 30000}, {30001, 30000}, {30000, 30000}, {29999, 29999},
                 {1000, 1000},   {32, 32},       {31, 32},       {0, 32}};
    for (const auto& c : cases)
        EXPECT_EQ(RateAsLoaded(c.stored), c.shown) << c.stored;
}

} // namespace
