// The traceroute worker over a scripted network: the line of each kind of hop, where a trace stops, and how a newer
// trace or the dialog's closing ends the one in progress. The same worker across real routers:
// icmp_traceroute_netns_test.

#include "link/icmp/icmp_status.h"
#include "link/icmp/ping_output.h"
#include "link/icmp/ping_texts.h"
#include "link/icmp/scripted_icmp_transport.h"
#include "link/icmp/traceroute.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const PingAddress kTarget{192, 0, 2, 9};
const PingAddress kFirstRouter{10, 0, 0, 1};
const PingAddress kSecondRouter{10, 0, 1, 1};
constexpr uint8_t kTimeExceeded = 11;
constexpr uint8_t kUnreachable = 3;
constexpr uint8_t kParameterProblem = 12;

class TracerouteTest : public ::testing::Test {
protected:
    PingRequest Trace(uint8_t count, uint8_t maxHops)
    {
        PingRequest trace;
        trace.address = kTarget;
        trace.count = count;
        trace.timeout = 1000;
        trace.size = 32;
        trace.ttl = maxHops;
        trace.id = counters_.BeginTrace();
        return trace;
    }

    int32_t Run(const PingRequest& trace) { return TracerouteThread(&trace, &output_, counters_, network_.Opener()); }

    void Push(const std::vector<ScriptedEcho>& echoes)
    {
        for (const ScriptedEcho& echo : echoes)
            network_.Push(echo);
    }

    // The output's lines, without their "\r\n".
    std::vector<std::string> Lines() const
    {
        std::vector<std::string> lines;
        const std::string text = output_.Text();
        size_t start = 0;
        for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
            lines.push_back(text.substr(start, end - start));
        return lines;
    }

    CTraceCounters counters_;
    CScriptedIcmpNetwork network_;
    CPingOutput output_;
};

TEST_F(TracerouteTest, DestinationAtTheThirdHopEndsTheTrace)
{
    Push({ScriptedEcho::Error(kTimeExceeded, 0, kFirstRouter, 2),
          ScriptedEcho::Error(kTimeExceeded, 0, kFirstRouter, 4),
          ScriptedEcho::Error(kTimeExceeded, 0, kSecondRouter, 12),
          ScriptedEcho::Error(kTimeExceeded, 0, kSecondRouter, 15), ScriptedEcho::Reply(0), ScriptedEcho::Reply(0)});
    ASSERT_EQ(Run(Trace(2, 30)), 0);
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "  1       2       3       4   2/2   10.0.0.1",
                           "  2      12      13      15   2/2   10.0.1.1",
                           "  3     < 1     < 1     < 1   2/2   192.0.2.9",
                           "",
                           " Trace Complete",
                       }));
    // Each hop's echoes carry its TTL; no hop past the destination.
    const std::vector<SentEcho> sent = network_.Sent();
    ASSERT_EQ(sent.size(), 6u);
    for (size_t i = 0; i < sent.size(); ++i)
        EXPECT_EQ(sent[i].options.ttl, i / 2 + 1);
}

TEST_F(TracerouteTest, SilentHopsSayWhyAndTheTraceGoesOn)
{
    Push({ScriptedEcho::Silence(), ScriptedEcho::Silence(), ScriptedEcho::Silence(), ScriptedEcho::Reply(20)});
    ASSERT_EQ(Run(Trace(3, 30)), 0);
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "  1       *       *       *   0/3   request timed out",
                           "  2      20      20      20   1/3   192.0.2.9",
                           "",
                           " Trace Complete",
                       }));
}

TEST_F(TracerouteTest, HopWithOneRouterAnswerAndTwoTimeoutsIsUnanswered)
{
    // The silent echoes after the router's answer leave the hop's status "request timed out".
    Push({ScriptedEcho::Error(kTimeExceeded, 0, kFirstRouter, 7), ScriptedEcho::Silence(), ScriptedEcho::Silence()});
    ASSERT_EQ(Run(Trace(3, 1)), 0);
    EXPECT_EQ(Lines().at(0), "  1       *       *       *   0/3   request timed out");
}

// A router's answer names the hop when its time ran out in transit or in reassembly; any other answer leaves the hop
// unanswered, and the trace goes on.
TEST_F(TracerouteTest, OnlyAnExpiredTimeNamesTheRouterOfAHop)
{
    Push({ScriptedEcho::Error(kTimeExceeded, 0, kFirstRouter, 1),
          ScriptedEcho::Error(kUnreachable, 1, kSecondRouter, 3),
          ScriptedEcho::Error(kUnreachable, 4, kSecondRouter, 3),
          ScriptedEcho::Error(kTimeExceeded, 1, kSecondRouter, 2),
          ScriptedEcho::Error(kParameterProblem, 0, kSecondRouter, 2), ScriptedEcho::Reply(6)});
    ASSERT_EQ(Run(Trace(1, 30)), 0);
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "  1       1       1       1   1/1   10.0.0.1",
                           "  2       *       *       *   0/1   destination host unreachable",
                           "  3       *       *       *   0/1   internal packet too big",
                           "  4       2       2       2   1/1   10.0.1.1",
                           "  5       *       *       *   0/1   parameter problem",
                           "  6       6       6       6   1/1   192.0.2.9",
                           "",
                           " Trace Complete",
                       }));
    EXPECT_EQ(network_.Sent().size(), 6u);
}

TEST_F(TracerouteTest, OnlyTheDestinationsOwnAddressEndsTheTrace)
{
    ScriptedEcho other = ScriptedEcho::Reply(5);
    other.from = PingAddress{192, 0, 2, 10};
    Push({other, ScriptedEcho::Reply(5)});
    ASSERT_EQ(Run(Trace(1, 30)), 0);
    EXPECT_EQ(Lines().at(0), "  1       5       5       5   1/1   192.0.2.10");
    EXPECT_EQ(Lines().at(1), "  2       5       5       5   1/1   192.0.2.9");
    EXPECT_EQ(network_.Sent().size(), 2u);
}

TEST_F(TracerouteTest, AddressThatNeverAnswersIsTracedToTheLastHop)
{
    ASSERT_EQ(Run(Trace(1, 255)), 0);
    const std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), 257u);
    EXPECT_EQ(lines[254], "255       *       *       *   0/1   request timed out");
    EXPECT_EQ(lines[256], " Trace Complete");
    EXPECT_EQ(network_.Sent().back().options.ttl, 255);
}

// What ends a trace in progress, as the hop of TTL 2 waits for its echo.
enum class Ending { kNewerTrace, kClosing };

class TracerouteEndingTest : public TracerouteTest, public ::testing::WithParamInterface<Ending> {};

TEST_P(TracerouteEndingTest, EndedTraceWritesNothingMore)
{
    Push({ScriptedEcho::Error(kTimeExceeded, 0, kFirstRouter, 1),
          ScriptedEcho::Error(kTimeExceeded, 0, kFirstRouter, 1), ScriptedEcho::Reply(900), ScriptedEcho::Reply(900)});
    const PingRequest trace = Trace(2, 30);
    network_.SetOnSend([&](const SentEcho& echo) {
        if (echo.options.ttl != 2)
            return;
        if (GetParam() == Ending::kNewerTrace)
            counters_.BeginTrace();
        else
            counters_.EndTraces();
    });
    ASSERT_EQ(Run(trace), 0);
    // The hop in progress ends once its first echo is answered: a hop cut short tells nothing.
    EXPECT_EQ(Lines(), std::vector<std::string>{"  1       1       1       1   2/2   10.0.0.1"});
    EXPECT_EQ(network_.Sent().size(), 3u);
    EXPECT_FALSE(counters_.IsCurrent(trace.id, counters_.Epoch()));
}

INSTANTIATE_TEST_SUITE_P(Endings, TracerouteEndingTest, ::testing::Values(Ending::kNewerTrace, Ending::kClosing));

TEST_F(TracerouteTest, ClientPingDoesNotCutAHopShort)
{
    Push({ScriptedEcho::Reply(700), ScriptedEcho::Reply(900)});
    network_.SetOnSend([](const SentEcho&) {
        PingRequest clientPing;
        NewPingId(&clientPing, PingCounter());
    });
    ASSERT_EQ(Run(Trace(2, 30)), 0);
    EXPECT_EQ(Lines().at(0), "  1     700     800     900   2/2   192.0.2.9");
}

TEST_F(TracerouteTest, EndedTraceTakesNoHopIdFromTheNewerOne)
{
    const PingRequest older = Trace(1, 30);
    const PingRequest newer = Trace(1, 30);
    PingRequest hop;
    EXPECT_FALSE(counters_.TakeHopId(older.id, counters_.Epoch(), &hop));
    ASSERT_TRUE(counters_.TakeHopId(newer.id, counters_.Epoch(), &hop));
    EXPECT_TRUE(counters_.Hops().IsCurrent(hop.id));
}

TEST_F(TracerouteTest, ATraceBegunBeforeTheNumberingStartsAgainWritesNothingMore)
{
    // The dialog opens again while the trace of its last opening waits at hop 2; the new first trace takes the same
    // id as the old one.
    Push({ScriptedEcho::Error(kTimeExceeded, 0, kFirstRouter, 1), ScriptedEcho::Reply(900)});
    counters_.Reset();
    const PingRequest old = Trace(1, 30);
    network_.SetOnSend([&](const SentEcho& echo) {
        if (echo.options.ttl != 2)
            return;
        counters_.EndTraces();
        counters_.Reset();
        EXPECT_EQ(counters_.BeginTrace(), old.id);
    });
    ASSERT_EQ(Run(old), 0);
    EXPECT_EQ(Lines(), std::vector<std::string>{"  1       1       1       1   1/1   10.0.0.1"});
    EXPECT_EQ(network_.Sent().size(), 2u);
}

// Without an ICMP socket the trace says no more than the engine's error and its end.
TEST_F(TracerouteTest, NoIcmpSocketEndsTheTraceAtTheFirstHop)
{
    network_.FailOpen("ping socket: Permission denied; raw socket: Operation not permitted");
    ASSERT_EQ(Run(Trace(4, 30)), 0);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"  1       *       *       *   0/  4 internal error -2", "",
                                                 " Trace Complete"}));
}

TEST_F(TracerouteTest, NullOrEmptyTraceSendsNothing)
{
    EXPECT_EQ(TracerouteThread(nullptr, &output_, counters_, network_.Opener()), -1);
    EXPECT_EQ(Run(Trace(0, 30)), -1);
    EXPECT_TRUE(network_.Sent().empty());
    EXPECT_EQ(output_.Text(), "");
}

TEST(TraceHeader, NamesTheDestinationAndTheMostHops)
{
    EXPECT_EQ(TraceHeader({203, 0, 113, 2}, 30), "Tracing route to 203.0.113.2 over a maximum of 30 hops:\r\n\r\n"
                                                 "hop min(ms) avg(ms) max(ms) success    reply IP\r\n"
                                                 "=== ======= ======= ======= ======= ===============\r\n");
}

} // namespace
