// Real echoes to 127.0.0.1 through each Linux transport. Where the system refuses ping sockets and the test runs as
// root, the pinging thread moves to a namespace of its own that allows them; otherwise the case is skipped.

#include "core/util/ip_address.h"
#include "link/icmp/icmp_ping.h"
#include "link/icmp/icmp_status.h"
#include "link/icmp/ping_output.h"
#include "tests/link/netns/icmp_test_network.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const PingAddress kLoopback{127, 0, 0, 1};

struct LoopbackRun {
    std::string skip; // why the transport is not available here
    int32_t result = 0;
    PingRequest request;
    std::string output;
};

// Readies the calling thread for kind: empty when the transport opens, else why not.
std::string PrepareThread(IcmpTestTransport kind)
{
    std::string why;
    if (OpenIcmpTestTransport(kind, &why))
        return {};
    if (::geteuid() != 0)
        return why + " (not root, so no namespace of our own to allow it)";
    std::string error = EnterPrivateLoopbackNamespace();
    if (!error.empty())
        return why + "; " + error;
    return OpenIcmpTestTransport(kind, &why) ? std::string() : why;
}

class IcmpLoopbackTest : public ::testing::TestWithParam<IcmpTestTransport> {
protected:
    LoopbackRun Ping(PingRequest request)
    {
        LoopbackRun run;
        RunOnOwnThread([&] {
            run.skip = PrepareThread(GetParam());
            if (!run.skip.empty())
                return;
            CPingOutput output;
            CPingCounter counter;
            NewPingId(&request, counter);
            request.output = &output;
            run.result = IcmpPing(&request, counter, IcmpTestOpener(GetParam()));
            request.output = nullptr;
            run.request = request;
            run.output = output.Text();
        });
        return run;
    }

    static PingRequest Request(uint8_t count)
    {
        PingRequest request;
        request.address = kLoopback;
        request.count = count;
        request.timeout = 3000;
        request.size = 32;
        request.ttl = 64;
        return request;
    }
};

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

TEST_P(IcmpLoopbackTest, LargestEchoFitsLoopback)
{
    PingRequest request = Request(1);
    request.size = 9996;
    LoopbackRun run = Ping(request);
    if (!run.skip.empty())
        GTEST_SKIP() << run.skip;
    EXPECT_EQ(run.request.received, 1) << run.output;
    EXPECT_EQ(run.request.status, kIcmpStatusSuccess);
    EXPECT_NE(run.output.find("bytes=9996"), std::string::npos) << run.output;
}

TEST_P(IcmpLoopbackTest, OptionsDoNotKeepLoopbackFromAnswering)
{
    PingRequest request = Request(2);
    request.ttl = 0; // goes out as 1, enough for loopback
    request.tos = 0x10;
    request.dontFragment = 1;
    LoopbackRun run = Ping(request);
    if (!run.skip.empty())
        GTEST_SKIP() << run.skip;
    EXPECT_EQ(run.request.ttl, 1);
    EXPECT_EQ(run.request.received, 2) << run.output;
    EXPECT_EQ(run.request.status, kIcmpStatusSuccess);
}

TEST_P(IcmpLoopbackTest, ConcurrentRunsSeeOnlyTheirOwnReplies)
{
    // All runs use id 0, so their sequence numbers are the same; only the transports keep them apart. Each run pings
    // another loopback address, so a reply taken by the wrong run shows in its reply address.
    constexpr uint8_t kRuns = 3;
    std::vector<LoopbackRun> runs(kRuns);
    std::vector<std::thread> threads;
    for (uint8_t i = 0; i < kRuns; ++i) {
        threads.emplace_back([&runs, i, this] {
            PingRequest request = Request(5);
            request.address = {127, 0, 0, static_cast<uint8_t>(1 + i)};
            runs[i] = Ping(request);
        });
    }
    for (std::thread& t : threads)
        t.join();
    for (const LoopbackRun& run : runs) {
        if (!run.skip.empty())
            GTEST_SKIP() << run.skip;
        EXPECT_EQ(run.request.id, 0);
        EXPECT_EQ(run.request.received, 5) << run.output;
        EXPECT_EQ(run.request.replyAddress, run.request.address);
        std::string own = "Reply from [" + FormatIpAddress(run.request.address) + "]";
        for (const std::string& line : Lines(run.output))
            EXPECT_EQ(line.rfind(own, 0), 0u) << line;
    }
}

INSTANTIATE_TEST_SUITE_P(Transports, IcmpLoopbackTest,
                         ::testing::Values(IcmpTestTransport::kPingSocket, IcmpTestTransport::kRawSocket,
                                           IcmpTestTransport::kSystem),
                         [](const ::testing::TestParamInfo<IcmpTestTransport>& info) {
                             return std::string(IcmpTestTransportName(info.param));
                         });

} // namespace
