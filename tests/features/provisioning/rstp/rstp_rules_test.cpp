// The rules of the rapid spanning tree settings: the two timing rules, the stepping of the bridge and port priorities
// with their wrap, and the path cost's range and default under each version.

#include "features/provisioning/rstp/rstp_rules.h"

#include "ui/framework/messages/string_ids.h"

#include <gtest/gtest.h>

namespace {

TEST(RstpRulesTest, TheTimesFollowBothTimingRules)
{
    struct Case {
        uint32_t maxAge, helloTime, forwardDelay;
        uint32_t refusal;
    };
    const Case cases[] = {
        {20, 2, 15, 0},
        {20, 2, 10, kStrRuleForwardDelayMaxAge}, // 2 x 9 = 18 < 20
        {20, 2, 11, 0},                          // 2 x 10 = 20
        {20, 10, 15, kStrRuleMaxAgeHelloTime},   // 20 < 22
        {20, 9, 15, 0},                          // 20 = 2 x 10
        {40, 10, 30, 0},
        {6, 1, 4, 0},
        {6, 1, 3, kStrRuleForwardDelayMaxAge},
        // Both broken: the forward delay's rule is told first.
        {40, 10, 4, kStrRuleForwardDelayMaxAge},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.maxAge) + "/" + std::to_string(c.helloTime) + "/" +
                     std::to_string(c.forwardDelay));
        EXPECT_EQ(RstpTimingRefusal(c.maxAge, c.helloTime, c.forwardDelay), c.refusal);
    }
}

TEST(RstpRulesTest, PrioritiesStepInTheirMultiplesAndWrapAtTheEnds)
{
    struct Case {
        PriorityScale scale;
        uint32_t value;
        int delta;
        uint32_t stepped;
    };
    const Case cases[] = {
        {kBridgePriorityScale, 32768, 1, 36864}, {kBridgePriorityScale, 32768, -1, 28672},
        {kBridgePriorityScale, 61440, 1, 0},     {kBridgePriorityScale, 0, -1, 61440},
        {kBridgePriorityScale, 5000, 1, 8192},   {kBridgePriorityScale, 5000, -1, 0},
        {kBridgePriorityScale, 65535, 1, 0},     {kPortPriorityScale, 128, 1, 144},
        {kPortPriorityScale, 240, 1, 0},         {kPortPriorityScale, 0, -1, 240},
        {kPortPriorityScale, 17, -1, 0},         {kPortPriorityScale, 255, -1, 224},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.value) + " by " + std::to_string(c.delta));
        EXPECT_EQ(StepPriority(c.value, c.delta, c.scale), c.stepped);
    }
    // A typed or received priority: truncated to its step and capped.
    EXPECT_EQ(NormalisePriority(5000, kBridgePriorityScale), 4096u);
    EXPECT_EQ(NormalisePriority(65535, kBridgePriorityScale), 61440u);
    EXPECT_EQ(NormalisePriority(250, kPortPriorityScale), 240u);
    EXPECT_EQ(NormalisePriority(129, kPortPriorityScale), 128u);
}

TEST(RstpRulesTest, PathCostsKeepToTheVersionsRange)
{
    EXPECT_EQ(ClampPathCost(200000, kRstpVersionStp), 65535u);
    EXPECT_EQ(ClampPathCost(200000, kRstpVersionRstp), 200000u);
    EXPECT_EQ(ClampPathCost(0, kRstpVersionRstp), 1u);
    EXPECT_EQ(ClampPathCost(300000000, kRstpVersionRstp), 200000000u);
    EXPECT_EQ(DefaultPathCost(kRstpVersionRstp), 20000u);
    EXPECT_EQ(DefaultPathCost(kRstpVersionStp), 4u);
}

TEST(RstpRulesTest, ReceivedTimesAreClampedToTheirRanges)
{
    const RstpTimes low = ClampRstpTimes({0, 0, 0, 0});
    EXPECT_EQ((std::array{low.maxAge, low.helloTime, low.forwardDelay, low.txHoldCount}), (std::array{6u, 1u, 4u, 1u}));
    const RstpTimes high = ClampRstpTimes({255, 255, 255, 255});
    EXPECT_EQ((std::array{high.maxAge, high.helloTime, high.forwardDelay, high.txHoldCount}),
              (std::array{40u, 10u, 30u, 10u}));
    EXPECT_EQ(RstpBridgeIdText(0x1000, {0x00, 0x10, 0xa4, 0x00, 0x01, 0xff}), "0x1000-00:10:a4:00:01:ff");
}

} // namespace
