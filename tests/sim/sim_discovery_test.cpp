// The simulated server's discovery: a range searches its addresses at a fixed rate from when it is added, finds the
// devices of its model as it passes them and is finished past its last address; a dropped NE stays forgotten until a
// range that covers it is added again.

#include "sim/server/sim_discovery.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

DiscoveryRangeRec Range(IpAddress first, IpAddress last, uint32_t model = 0)
{
    DiscoveryRangeRec range;
    range.firstIp = first;
    range.lastIp = last;
    range.modelId = model;
    range.community = "public";
    return range;
}

std::vector<std::string> FoundAddresses(CSimDiscovery& discovery, uint64_t nowMs)
{
    std::vector<std::string> addresses;
    for (const FoundNeRec& ne : discovery.Found(nowMs))
        addresses.push_back(FormatIpAddress(ne.ipAddress));
    return addresses;
}

class SimDiscoveryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Devices at .1, .100 and .200 of 10.0.0.x, the last of another model.
        discovery_.AddDevice({{10, 0, 0, 1}, 2, "IPD-12"});
        discovery_.AddDevice({{10, 0, 0, 100}, 2, "IPD-12"});
        discovery_.AddDevice({{10, 0, 0, 200}, 4, "IPD-48"});
    }
    CSimDiscovery discovery_;
};

TEST_F(SimDiscoveryTest, ARangeFindsTheDevicesAsItPassesThemAndThenIsFinished)
{
    ASSERT_TRUE(discovery_.AddRange(Range({10, 0, 0, 1}, {10, 0, 0, 254}), 0).Ok());
    struct Step {
        uint64_t ms;
        std::vector<std::string> found;
        uint32_t state;
    };
    // 64 addresses a second: .100 after about 1.5 s, .200 after about 3.1 s, the whole range after 4 s.
    const Step steps[] = {
        {0, {"10.0.0.1"}, kDiscoveryPolling},
        {1500, {"10.0.0.1"}, kDiscoveryPolling},
        {1600, {"10.0.0.1", "10.0.0.100"}, kDiscoveryPolling},
        {3200, {"10.0.0.1", "10.0.0.100", "10.0.0.200"}, kDiscoveryPolling},
        {4000, {"10.0.0.1", "10.0.0.100", "10.0.0.200"}, kDiscoveryFinished},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.ms);
        EXPECT_EQ(FoundAddresses(discovery_, step.ms), step.found);
        const std::vector<DiscoveryRangeRec> ranges = discovery_.Ranges(step.ms);
        ASSERT_EQ(ranges.size(), 1u);
        EXPECT_EQ(ranges[0].state, step.state);
    }
}

TEST_F(SimDiscoveryTest, ARangeOfOneModelFindsOnlyItsDevicesAndAReversedRangeIsPutInOrder)
{
    ASSERT_TRUE(discovery_.AddRange(Range({10, 0, 0, 254}, {10, 0, 0, 1}, 4), 0).Ok());
    const std::vector<DiscoveryRangeRec> ranges = discovery_.Ranges(10000);
    ASSERT_EQ(ranges.size(), 1u);
    EXPECT_EQ(FormatIpAddress(ranges[0].firstIp), "10.0.0.1");
    EXPECT_EQ(FoundAddresses(discovery_, 10000), std::vector<std::string>{"10.0.0.200"});
    // The same range again is refused; one that is not there cannot be deleted.
    EXPECT_FALSE(discovery_.AddRange(Range({10, 0, 0, 1}, {10, 0, 0, 254}), 10000).Ok());
    EXPECT_FALSE(discovery_.DeleteRange(Range({10, 0, 0, 2}, {10, 0, 0, 254})).Ok());
    EXPECT_TRUE(discovery_.DeleteRange(Range({10, 0, 0, 1}, {10, 0, 0, 254})).Ok());
    EXPECT_TRUE(discovery_.Ranges(10000).empty());
}

TEST_F(SimDiscoveryTest, ADroppedNeStaysForgottenUntilARangeFindsItAgain)
{
    ASSERT_TRUE(discovery_.AddRange(Range({10, 0, 0, 1}, {10, 0, 0, 10}), 0).Ok());
    ASSERT_EQ(FoundAddresses(discovery_, 1000), std::vector<std::string>{"10.0.0.1"});
    EXPECT_TRUE(discovery_.Drop({10, 0, 0, 1}).Ok());
    EXPECT_FALSE(discovery_.Drop({10, 0, 0, 1}).Ok());
    EXPECT_TRUE(FoundAddresses(discovery_, 5000).empty());
    ASSERT_TRUE(discovery_.DeleteRange(Range({10, 0, 0, 1}, {10, 0, 0, 10})).Ok());
    ASSERT_TRUE(discovery_.AddRange(Range({10, 0, 0, 1}, {10, 0, 0, 10}), 6000).Ok());
    EXPECT_EQ(FoundAddresses(discovery_, 6000), std::vector<std::string>{"10.0.0.1"});
}

TEST_F(SimDiscoveryTest, WhatAnEarlierSearchLeftIsKeptAsItIs)
{
    DiscoveryRangeRec done = Range({10, 0, 0, 1}, {10, 0, 0, 254});
    done.state = kDiscoveryFinished;
    ASSERT_TRUE(discovery_.KeepRange(done).Ok());
    discovery_.KeepFound({{10, 9, 9, 9}, 2, "kept"});
    EXPECT_EQ(discovery_.Ranges(100000), std::vector<DiscoveryRangeRec>{done});
    // A kept range searches no more: the devices it covers are not found again.
    EXPECT_EQ(FoundAddresses(discovery_, 100000), std::vector<std::string>{"10.9.9.9"});
}

} // namespace
