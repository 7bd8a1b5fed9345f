// The ping run over a scripted network: parameter clamps, sequence numbers, echo data, the aggregation of runs of
// mixed answers, result write-back and cancellation by a newer id. Single answers of each kind, their lines and a
// newer id ending a long wait are tested on real networks (icmp_netns_test, icmp_loopback_test); a stale id and the
// counters of other purposes with the program-wide counter (icmp_reachability_test).

#include "link/icmp/echo_request.h"
#include "link/icmp/icmp_ping.h"
#include "link/icmp/icmp_status.h"
#include "link/icmp/internet_checksum.h"
#include "link/icmp/ping_output.h"
#include "link/icmp/scripted_icmp_transport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <functional>
#include <string>
#include <vector>

namespace {

const PingAddress kTarget{127, 0, 0, 1};
const PingAddress kRouter{10, 0, 0, 1};

class IcmpPingTest : public ::testing::Test {
protected:
    // A request with an id freshly taken from the test's counter.
    PingRequest MakeRequest(uint8_t count)
    {
        PingRequest request;
        request.address = kTarget;
        request.count = count;
        request.timeout = 1000;
        request.size = 32;
        request.ttl = 128;
        NewPingId(&request, counter_);
        return request;
    }

    int32_t Run(PingRequest& request) { return IcmpPing(&request, counter_, network_.Opener()); }

    void Script(const std::vector<ScriptedEcho>& echoes)
    {
        for (const ScriptedEcho& echo : echoes)
            network_.Push(echo);
    }

    // Takes ids until the next one issued is id.
    void AdvanceCounterTo(uint8_t id)
    {
        while (!counter_.IsCurrent(static_cast<uint8_t>(id - 1)))
            counter_.TakeId();
    }

    CPingCounter counter_;
    CScriptedIcmpNetwork network_;
};

TEST_F(IcmpPingTest, NullOrEmptyRequestSendsNothing)
{
    EXPECT_EQ(IcmpPing(nullptr, counter_, network_.Opener()), kIcmpPingInvalid);

    CPingOutput output;
    PingRequest request = MakeRequest(0);
    request.output = &output;
    request.received = 7;
    const PingRequest before = request;
    EXPECT_EQ(Run(request), kIcmpPingInvalid);
    EXPECT_EQ(request, before);
    EXPECT_EQ(network_.OpenCount(), 0);
    EXPECT_TRUE(output.Text().empty());
}

TEST_F(IcmpPingTest, TransportThatCannotOpenLeavesRequestAndSaysSo)
{
    network_.FailOpen("no sockets");
    CPingOutput output;
    output.Append("earlier\r\n");
    PingRequest request = MakeRequest(4);
    request.output = &output;
    request.count = 150;
    const PingRequest before = request;
    EXPECT_EQ(Run(request), kIcmpPingNoTransport);
    EXPECT_EQ(request, before);
    EXPECT_EQ(output.Text(), "earlier\r\nfailed to create ICMP file\r\n");

    // Without an output nothing is written anywhere.
    request.output = nullptr;
    EXPECT_EQ(Run(request), kIcmpPingNoTransport);
}

struct ClampCase {
    const char* name;
    std::function<void(PingRequest&)> set;
    size_t echoes;        // echoes sent
    uint16_t size;        // data bytes of each
    uint64_t waitedMs;    // wait of a silent echo
    uint8_t ttl;          // TTL sent
    bool dontFragment;    // flag sent
    uint32_t writtenBack; // the request's don't-fragment field afterwards
};

class IcmpPingClampTest : public IcmpPingTest, public ::testing::WithParamInterface<ClampCase> {};

TEST_P(IcmpPingClampTest, ParametersAreClampedBeforeSending)
{
    const ClampCase& row = GetParam();
    PingRequest request = MakeRequest(1);
    row.set(request);
    ASSERT_EQ(Run(request), kIcmpPingDone);

    std::vector<SentEcho> sent = network_.Sent();
    ASSERT_EQ(sent.size(), row.echoes);
    for (const SentEcho& echo : sent) {
        EXPECT_EQ(echo.data.size(), row.size);
        EXPECT_EQ(echo.waitEndMs - echo.sentAtMs, row.waitedMs);
        EXPECT_EQ(echo.options.ttl, row.ttl);
        EXPECT_EQ(echo.options.dontFragment, row.dontFragment);
        EXPECT_EQ(echo.destination, kTarget);
    }
    // The caller sees the parameters that were used.
    EXPECT_EQ(request.count, row.echoes);
    EXPECT_EQ(request.size, row.size);
    EXPECT_EQ(static_cast<uint64_t>(request.timeout), row.waitedMs);
    EXPECT_EQ(request.ttl, row.ttl);
    EXPECT_EQ(request.dontFragment, row.writtenBack);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IcmpPingClampTest,
    ::testing::Values(
        ClampCase{"Count1", [](PingRequest&) {}, 1, 32, 1000, 128, false, 0},
        ClampCase{"Count150", [](PingRequest& r) { r.count = 150; }, 99, 32, 1000, 128, false, 0},
        ClampCase{"Count99", [](PingRequest& r) { r.count = 99; }, 99, 32, 1000, 128, false, 0},
        ClampCase{"Timeout0", [](PingRequest& r) { r.timeout = 0; }, 1, 32, 1000, 128, false, 0},
        ClampCase{"TimeoutMinimum", [](PingRequest& r) { r.timeout = INT32_MIN; }, 1, 32, 1000, 128, false, 0},
        ClampCase{"Timeout1001", [](PingRequest& r) { r.timeout = 1001; }, 1, 32, 1001, 128, false, 0},
        ClampCase{"Timeout30000", [](PingRequest& r) { r.timeout = 30000; }, 1, 32, 30000, 128, false, 0},
        ClampCase{"Timeout60000", [](PingRequest& r) { r.timeout = 60000; }, 1, 32, 30000, 128, false, 0},
        ClampCase{"Size0", [](PingRequest& r) { r.size = 0; }, 1, 32, 1000, 128, false, 0},
        ClampCase{"Size33", [](PingRequest& r) { r.size = 33; }, 1, 33, 1000, 128, false, 0},
        ClampCase{"Size9996", [](PingRequest& r) { r.size = 9996; }, 1, 9996, 1000, 128, false, 0},
        ClampCase{"Size20000", [](PingRequest& r) { r.size = 20000; }, 1, 9996, 1000, 128, false, 0},
        ClampCase{"Ttl0", [](PingRequest& r) { r.ttl = 0; }, 1, 32, 1000, 1, false, 0},
        ClampCase{"Ttl255", [](PingRequest& r) { r.ttl = 255; }, 1, 32, 1000, 255, false, 0},
        ClampCase{"DontFragment7", [](PingRequest& r) { r.dontFragment = 7; }, 1, 32, 1000, 128, true, 1}),
    [](const ::testing::TestParamInfo<ClampCase>& info) { return std::string(info.param.name); });

TEST_F(IcmpPingTest, SequenceNumbersFollowTheId)
{
    AdvanceCounterTo(3);
    PingRequest request = MakeRequest(3);
    ASSERT_EQ(request.id, 3);
    Run(request);
    std::vector<SentEcho> sent = network_.Sent();
    ASSERT_EQ(sent.size(), 3u);
    for (size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(sent[i].sequence, 301 + i);
        EXPECT_EQ(EchoSequenceOf(sent[i].data), 301 + i);
    }
}

TEST_F(IcmpPingTest, IdTakenAt255RunsAfterTheCounterWraps)
{
    AdvanceCounterTo(255);
    PingRequest request = MakeRequest(2);
    ASSERT_EQ(request.id, 255);
    Script({ScriptedEcho::Reply(1), ScriptedEcho::Reply(1)});
    ASSERT_EQ(Run(request), kIcmpPingDone);
    std::vector<SentEcho> sent = network_.Sent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].sequence, 25501);
    EXPECT_EQ(sent[1].sequence, 25502);
    EXPECT_EQ(request.received, 2);
}

TEST_F(IcmpPingTest, EchoDataCarriesHeaderTickAndFill)
{
    PingRequest request = MakeRequest(2);
    request.size = 45;
    Run(request);
    std::vector<SentEcho> sent = network_.Sent();
    ASSERT_EQ(sent.size(), 2u);
    for (const SentEcho& echo : sent) {
        const std::vector<uint8_t>& d = echo.data;
        ASSERT_EQ(d.size(), 45u);
        EXPECT_EQ(d[0], 8);
        EXPECT_EQ(d[1], 0);
        EXPECT_EQ(InternetChecksum(d), 0) << "checksum field must make the data sum to zero";
        EXPECT_EQ(d[4] | (d[5] << 8), CurrentThreadTag());
        uint32_t tick = d[8] | (d[9] << 8) | (d[10] << 16) | (static_cast<uint32_t>(d[11]) << 24);
        EXPECT_EQ(tick, static_cast<uint32_t>(echo.sentAtMs));
        for (size_t i = 12; i < d.size(); ++i)
            ASSERT_EQ(d[i], 'E') << "at " << i;
    }
    // Each echo is stamped anew: the second waited a full timeout after the first.
    EXPECT_NE(sent[0].data, sent[1].data);
}

struct AggregationCase {
    const char* name;
    std::vector<ScriptedEcho> script;
    uint8_t received;
    uint32_t status;
    uint32_t minTime;
    uint32_t maxTime;
    uint32_t totalTime;
};

class IcmpPingAggregationTest : public IcmpPingTest, public ::testing::WithParamInterface<AggregationCase> {};

TEST_P(IcmpPingAggregationTest, ResultsSumUpTheRun)
{
    const AggregationCase& row = GetParam();
    PingRequest request = MakeRequest(static_cast<uint8_t>(row.script.size()));
    Script(row.script);
    ASSERT_EQ(Run(request), kIcmpPingDone);
    EXPECT_EQ(network_.Sent().size(), row.script.size());
    EXPECT_EQ(request.received, row.received);
    EXPECT_EQ(request.status, row.status) << IcmpStatusText(request.status);
    EXPECT_EQ(request.minTime, row.minTime);
    EXPECT_EQ(request.maxTime, row.maxTime);
    EXPECT_EQ(request.totalTime, row.totalTime);
}

ScriptedEcho TtlExpired(uint32_t delay)
{
    return ScriptedEcho::Error(11, 0, kRouter, delay);
}

ScriptedEcho HostUnreachable(uint32_t delay)
{
    return ScriptedEcho::Error(3, 1, kRouter, delay);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IcmpPingAggregationTest,
    ::testing::Values(
        AggregationCase{
            "TimeoutThenThreeReplies",
            {ScriptedEcho::Silence(), ScriptedEcho::Reply(5), ScriptedEcho::Reply(7), ScriptedEcho::Reply(6)},
            3,
            0,
            5,
            7,
            18},
        // A run that never reached its target is not a success, however many routers answered.
        AggregationCase{
            "FourTtlExpired", {TtlExpired(2), TtlExpired(4), TtlExpired(3), TtlExpired(1)}, 4, 11013, 1, 4, 10},
        // An echo without reply makes any status but success "request timed out", whatever answered before it.
        AggregationCase{"UnreachableThenTwoTimeouts",
                        {HostUnreachable(2), ScriptedEcho::Silence(), ScriptedEcho::Silence()},
                        1,
                        11010,
                        2,
                        2,
                        2},
        AggregationCase{"TtlExpiredThenTimeout", {TtlExpired(3), ScriptedEcho::Silence()}, 1, 11010, 3, 3, 3},
        AggregationCase{"SingleTtlExpired", {TtlExpired(3)}, 1, 11013, 3, 3, 3},
        AggregationCase{"SingleTimeout", {ScriptedEcho::Silence()}, 0, 11010, 0, 0, 0},
        AggregationCase{"TimeoutThenUnreachable", {ScriptedEcho::Silence(), HostUnreachable(4)}, 1, 11003, 4, 4, 4},
        AggregationCase{"UnreachableThenReply", {HostUnreachable(2), ScriptedEcho::Reply(8)}, 2, 0, 2, 8, 10},
        AggregationCase{"ReplyThenUnreachable", {ScriptedEcho::Reply(8), HostUnreachable(2)}, 2, 0, 2, 8, 10},
        AggregationCase{"ReplyThenTimeout", {ScriptedEcho::Reply(8), ScriptedEcho::Silence()}, 1, 0, 8, 8, 8},
        AggregationCase{"ZeroRoundTrip", {ScriptedEcho::Reply(0)}, 1, 0, 0, 0, 0},
        // An echo that could not be sent counts as one without reply.
        AggregationCase{"NoRouteToNet", {ScriptedEcho::SendFailure(ENETUNREACH)}, 0, 11010, 0, 0, 0},
        AggregationCase{"NoRouteToHost", {ScriptedEcho::SendFailure(EHOSTUNREACH)}, 0, 11010, 0, 0, 0},
        AggregationCase{"SendRefused", {ScriptedEcho::SendFailure(EPERM)}, 0, 11010, 0, 0, 0},
        AggregationCase{
            "ReplyThenSendFailure", {ScriptedEcho::Reply(4), ScriptedEcho::SendFailure(EPERM)}, 1, 0, 4, 4, 4}),
    [](const ::testing::TestParamInfo<AggregationCase>& info) { return std::string(info.param.name); });

TEST_F(IcmpPingTest, ReplyAddressAndTtlAreThoseOfTheLastAnswer)
{
    PingRequest request = MakeRequest(3);
    Script({ScriptedEcho::Reply(1, 60), TtlExpired(1), ScriptedEcho::Silence()});
    Run(request);
    EXPECT_EQ(request.replyAddress, kRouter);
    EXPECT_EQ(request.replyTtl, 64); // the scripted error's TTL
}

TEST_F(IcmpPingTest, CallerSeesClampedParametersWhileTheRunGoesOn)
{
    PingRequest request = MakeRequest(150);
    request.timeout = 0;
    request.received = 42;
    request.status = 11003;
    request.minTime = request.maxTime = request.totalTime = 77;
    std::vector<PingRequest> seen;
    network_.SetOnSend([&](const SentEcho& echo) {
        if (echo.sequence % 100 == 1)
            seen.push_back(request);
    });
    Script({ScriptedEcho::Reply(5)});
    Run(request);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].count, 99);
    EXPECT_EQ(seen[0].timeout, 1000);
    EXPECT_EQ(seen[0].status, 0u);
    EXPECT_EQ(seen[0].minTime, 0u);
    EXPECT_EQ(seen[0].maxTime, 0u);
    EXPECT_EQ(seen[0].totalTime, 0u);
    EXPECT_EQ(seen[0].received, 42) << "the received count is written at the end";
    EXPECT_EQ(request.received, 1);
}

TEST_F(IcmpPingTest, NewerIdEndsTheRunAfterTheEchoInProgress)
{
    PingRequest request = MakeRequest(10);
    for (int i = 0; i < 10; ++i)
        network_.Push(ScriptedEcho::Reply(static_cast<uint32_t>(4 + i)));
    const uint16_t third = static_cast<uint16_t>(request.id * 100 + 3);
    network_.SetOnSend([&](const SentEcho& echo) {
        if (echo.sequence == third) {
            PingRequest other;
            NewPingId(&other, counter_);
        }
    });
    ASSERT_EQ(Run(request), kIcmpPingDone);
    EXPECT_EQ(network_.Sent().size(), 3u);
    // The third reply came back after the newer id was taken: it is not counted.
    EXPECT_EQ(request.received, 2);
    // Only the received count is written back: the rest stays as the run's start left it.
    EXPECT_EQ(request.status, 0u);
    EXPECT_EQ(request.minTime, 0u);
    EXPECT_EQ(request.maxTime, 0u);
    EXPECT_EQ(request.totalTime, 0u);
}

TEST_F(IcmpPingTest, AnEchoSentWaitsForItsTimeoutWhenANewerIdIsTaken)
{
    PingRequest request = MakeRequest(3);
    request.timeout = 4000;
    Script({ScriptedEcho::Silence(), ScriptedEcho::Reply(5), ScriptedEcho::Reply(5)});
    const uint16_t first = static_cast<uint16_t>(request.id * 100 + 1);
    network_.SetOnSend([&](const SentEcho& echo) {
        if (echo.sequence == first) {
            PingRequest other;
            NewPingId(&other, counter_);
        }
    });
    const uint64_t start = network_.NowMs();
    ASSERT_EQ(Run(request), kIcmpPingDone);
    EXPECT_EQ(network_.NowMs() - start, 4000u) << "the first echo waited its whole timeout";
    EXPECT_EQ(network_.Sent().size(), 1u);
    EXPECT_EQ(request.received, 0);
}

} // namespace
