// Traceroutes across a real router (routed_test_network.h): to the target two hops away, to a route the router calls
// unreachable (each hop says so, and the trace goes on), to a target that stays silent, and over a hop that loses
// replies. Needs root and the ip tool; skipped otherwise.

#include "link/icmp/ping_output.h"
#include "link/icmp/ping_texts.h"
#include "link/icmp/traceroute.h"
#include "tests/link/netns/routed_test_network.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

class TracerouteNetnsTest : public ::testing::TestWithParam<IcmpTestTransport> {
protected:
    void SetUp() override
    {
        if (std::string why = network_.Create(); !why.empty())
            GTEST_SKIP() << why;
        ASSERT_EQ(network_.Failed(), "");
    }

    // The trace's lines without their "\r\n" and without the end line. Where every probe is answered, the time-out
    // is only a bound, far above the answer's time on a busy machine; where probes are meant to go unanswered, it is
    // the probe's wait.
    std::vector<std::string> Trace(const PingAddress& destination, uint8_t count, uint8_t maxHops,
                                   int32_t timeoutMs = kAnsweredTimeoutMs)
    {
        PingRequest trace;
        trace.address = destination;
        trace.count = count;
        trace.timeout = timeoutMs;
        trace.size = 32;
        trace.ttl = maxHops;
        trace.id = counters_.BeginTrace();
        CPingOutput output;
        EXPECT_EQ(TracerouteThread(&trace, &output, counters_, network_.ClientOpener(GetParam())), 0);
        std::string text = output.Text();
        EXPECT_EQ(
            text.size() >= sizeof kTraceCompleteText - 1 &&
                text.compare(text.size() - (sizeof kTraceCompleteText - 1), std::string::npos, kTraceCompleteText) == 0,
            true)
            << text;
        std::vector<std::string> lines;
        size_t start = 0;
        for (size_t end; (end = text.find("\r\n", start)) != std::string::npos && end > start; start = end + 2)
            lines.push_back(text.substr(start, end - start));
        return lines;
    }

    // The received count of a hop line ("  2       1       1       1   8/10  203.0.113.2").
    static unsigned Received(const std::string& line)
    {
        unsigned received = 0;
        std::sscanf(line.c_str() + 28, "%u", &received);
        return received;
    }

    static constexpr int32_t kAnsweredTimeoutMs = 10000;
    static constexpr int32_t kUnansweredTimeoutMs = 1000;

    CRoutedTestNetwork network_;
    CTraceCounters counters_;
};

TEST_P(TracerouteNetnsTest, TargetIsTwoHopsAway)
{
    const std::vector<std::string> lines = Trace(CRoutedTestNetwork::kTarget, 3, 30);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].substr(28), "  3/3   198.51.100.2");
    EXPECT_EQ(lines[1].substr(28), "  3/3   203.0.113.2");
    EXPECT_EQ(lines[1].substr(0, 4), "  2 ");
}

TEST_P(TracerouteNetnsTest, UnreachableRouteIsTracedToTheLastHop)
{
    const std::vector<std::string> lines = Trace(CRoutedTestNetwork::kUnreachable, 1, 3);
    ASSERT_EQ(lines.size(), 3u);
    for (size_t hop = 0; hop < lines.size(); ++hop)
        EXPECT_EQ(lines[hop].substr(3), "       *       *       *   0/1   destination host unreachable") << hop;
}

TEST_P(TracerouteNetnsTest, SilentTargetIsTracedToTheLastHop)
{
    ASSERT_TRUE(CRoutedTestNetwork::SetSysctl(network_.Target(), "net/ipv4/icmp_echo_ignore_all", "1"));
    const std::vector<std::string> lines = Trace(CRoutedTestNetwork::kTarget, 1, 3, kUnansweredTimeoutMs);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].substr(28), "  1/1   198.51.100.2");
    EXPECT_EQ(lines[1], "  2       *       *       *   0/1   request timed out");
    EXPECT_EQ(lines[2], "  3       *       *       *   0/1   request timed out");
}

TEST_P(TracerouteNetnsTest, HopThatLosesRepliesShowsWhatCameBack)
{
    ASSERT_TRUE(network_.MakeTargetLossy());
    const std::vector<std::string> lines = Trace(CRoutedTestNetwork::kTarget, 10, 30, kUnansweredTimeoutMs);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(Received(lines[0]), 10u) << lines[0];
    const unsigned received = Received(lines[1]);
    EXPECT_GT(received, 0u) << lines[1];
    EXPECT_LT(received, 10u) << lines[1];
    EXPECT_EQ(lines[1].substr(lines[1].size() - 11), "203.0.113.2");
}

INSTANTIATE_TEST_SUITE_P(Transports, TracerouteNetnsTest,
                         ::testing::Values(IcmpTestTransport::kPingSocket, IcmpTestTransport::kRawSocket),
                         [](const ::testing::TestParamInfo<IcmpTestTransport>& info) {
                             return std::string(IcmpTestTransportName(info.param));
                         });

} // namespace
