// The workstation's ping and traceroute as their dialogs run them: each run on a worker thread of its own, appending
// to an output that the user interface trims, reads and clears meanwhile, newer runs ending older ones; the output's
// trimming; and what a run says when no ICMP socket can be opened. The threaded cases run under ThreadSanitizer with
// the other link tests.

#include "link/icmp/client_echo.h"
#include "link/icmp/echo_workers.h"
#include "link/icmp/icmp_ping.h"
#include "link/icmp/ping_output.h"
#include "link/icmp/ping_texts.h"
#include "link/icmp/scripted_icmp_transport.h"
#include "link/icmp/system_icmp_transport.h"
#include "link/icmp/traceroute.h"
#include "tests/link/netns/icmp_test_network.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

const PingAddress kNe{192, 0, 2, 20};

struct TrimCase {
    size_t size;         // characters of the text
    size_t lineEndAt;    // where its only "\r\n" starts; npos: none
    size_t expectedSize; // after trimming
};

class TrimPingOutputTest : public ::testing::TestWithParam<TrimCase> {};

TEST_P(TrimPingOutputTest, LongOutputLosesItsHeadUpToALineEnd)
{
    const TrimCase& row = GetParam();
    std::string text(row.size, 'x');
    if (row.lineEndAt != std::string::npos)
        text.replace(row.lineEndAt, 2, "\r\n");
    TrimPingOutputHead(text);
    EXPECT_EQ(text.size(), row.expectedSize);
    if (row.expectedSize < row.size) {
        EXPECT_EQ(text, "\r\n" + std::string(row.expectedSize - 2, 'x')) << "the line end stays at the top";
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, TrimPingOutputTest,
                         ::testing::Values(TrimCase{9000, 5000, 4000},              // cut before the line end
                                           TrimCase{9000, 4096, 4904},              // a line end right at 4096
                                           TrimCase{9000, 4000, 9000},              // only before 4096: whole
                                           TrimCase{9000, std::string::npos, 9000}, // no line end: whole
                                           TrimCase{8192, 5000, 8192},              // not past the limit
                                           TrimCase{8193, 8191, 2}));               // the line end ends the text

// Without an ICMP socket the output says so in the engine's words alone, whatever the system's reason.
TEST(RunClientPing, NoIcmpSocketAddsOnlyTheEnginesLine)
{
    CScriptedIcmpNetwork network;
    network.FailOpen("ping socket: Permission denied; raw socket: Operation not permitted");
    CPingOutput output;
    CPingCounter counter;
    PingRequest request;
    request.address = kNe;
    request.count = 4;
    request.output = &output;
    NewPingId(&request, counter);
    EXPECT_EQ(RunClientPing(request, counter, network.Opener()), kIcmpPingNoTransport);
    EXPECT_EQ(output.Text(), kPingOpenFailedText);
}

// The system's own refusal: the same single line.
TEST(RunClientPing, WithoutPermissionOnlyTheEnginesLineIsShown)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root for a namespace of its own";
    std::string skip;
    std::string text;
    RunOnOwnThread([&] {
        skip = LeaveThreadWithoutIcmp();
        if (!skip.empty())
            return;
        CPingOutput output;
        CPingCounter counter;
        PingRequest request;
        request.address = {127, 0, 0, 1};
        request.count = 1;
        request.output = &output;
        NewPingId(&request, counter);
        RunClientPing(request, counter, OpenSystemIcmpTransport);
        text = output.Text();
    });
    if (!skip.empty())
        GTEST_SKIP() << skip;
    EXPECT_EQ(text, kPingOpenFailedText);
}

TEST(CEchoWorkers, GoingAwayWaitsForTheRunsInProgress)
{
    std::atomic<bool> ended{false};
    {
        CEchoWorkers workers;
        workers.Start([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            ended = true;
        });
        EXPECT_EQ(workers.Running(), 1u);
    }
    EXPECT_TRUE(ended.load());
}

// A scripted network of its own for each run (kept alive by the run), whose echoes take a little real time so that
// runs overlap.
IcmpTransportOpener SlowNetwork(const std::vector<ScriptedEcho>& echoes)
{
    auto network = std::make_shared<CScriptedIcmpNetwork>();
    for (const ScriptedEcho& echo : echoes)
        network->Push(echo);
    network->SetOnSend([](const SentEcho&) { std::this_thread::sleep_for(std::chrono::milliseconds(1)); });
    return [network](std::string* error) { return network->Opener()(error); };
}

// The user interface's side: trims and reads the output every now and then, and clears it once, until told to stop.
std::thread Reader(CPingOutput& output, std::atomic<bool>& stop)
{
    return std::thread([&output, &stop] {
        int rounds = 0;
        while (!stop.load()) {
            output.TrimmedText();
            if (++rounds == 5)
                output.Clear();
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
}

TEST(ClientPingWorkers, NewerPingsEndOlderOnesAndLinesStayWhole)
{
    CEchoWorkers workers;
    CPingOutput output;
    CPingCounter counter;
    std::atomic<bool> stop{false};
    std::thread reader = Reader(output, stop);
    for (int i = 0; i < 20; ++i) {
        PingRequest request;
        request.address = kNe;
        request.count = 10;
        request.timeout = 1000;
        request.output = &output;
        NewPingId(&request, counter);
        std::vector<ScriptedEcho> echoes(10, ScriptedEcho::Reply(12));
        workers.Start([request, &counter, open = SlowNetwork(echoes)] { RunClientPing(request, counter, open); });
    }
    workers.JoinAll();
    stop = true;
    reader.join();
    EXPECT_EQ(workers.Running(), 0u);
    // Every line whole, whatever the reader cut or cleared meanwhile.
    const std::string text = output.Text();
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        EXPECT_EQ(text.substr(start, end - start).rfind("Reply from [192.0.2.20]: icmp_seq=", 0), 0u);
    EXPECT_EQ(start, text.size());
}

TEST(TracerouteWorkers, OnlyTheNewestTraceWritesAfterItsHeader)
{
    CEchoWorkers workers;
    CPingOutput output;
    CTraceCounters counters;
    for (int i = 0; i < 20; ++i) {
        PingRequest trace;
        trace.address = kNe;
        trace.count = 2;
        trace.timeout = 1000;
        trace.ttl = 30;
        output.Edit([&](std::string& text) {
            trace.id = counters.BeginTrace();
            text = TraceHeader(trace.address, trace.ttl);
        });
        std::vector<ScriptedEcho> echoes(8, ScriptedEcho::Error(11, 0, {10, 0, 0, 1}, 3));
        echoes.push_back(ScriptedEcho::Reply(5));
        echoes.push_back(ScriptedEcho::Reply(5));
        workers.Start([trace, &output, &counters, open = SlowNetwork(echoes)] {
            TracerouteThread(&trace, &output, counters, open);
        });
    }
    workers.JoinAll();
    const std::string text = output.Text();
    EXPECT_EQ(text, TraceHeader(kNe, 30) +
                        "  1       3       3       3   2/2   10.0.0.1\r\n"
                        "  2       3       3       3   2/2   10.0.0.1\r\n"
                        "  3       3       3       3   2/2   10.0.0.1\r\n"
                        "  4       3       3       3   2/2   10.0.0.1\r\n"
                        "  5       5       5       5   2/2   192.0.2.20\r\n" +
                        kTraceCompleteText);
}

} // namespace
