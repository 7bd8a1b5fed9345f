// Echoes across a router: three network namespaces made for each test (routed_test_network.h). The router answers TTL
// expiry and an unreachable route, and silently drops a blackhole route. Needs root and the ip tool; skipped
// otherwise.

#include "link/icmp/icmp_ping.h"
#include "link/icmp/icmp_reachability.h"
#include "link/icmp/icmp_status.h"
#include "link/icmp/ping_output.h"
#include "tests/link/netns/routed_test_network.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

const PingAddress kClient = CRoutedTestNetwork::kClient;
const PingAddress kRouterNear = CRoutedTestNetwork::kRouterNear;
const PingAddress kTarget = CRoutedTestNetwork::kTarget;
const PingAddress kUnreachable = CRoutedTestNetwork::kUnreachable;
const PingAddress kSilent = CRoutedTestNetwork::kSilent;

// Counts the echoes a transport sends, to see where a run stopped.
class CCountingTransport : public IcmpTransport {
public:
    CCountingTransport(std::unique_ptr<IcmpTransport> inner, std::atomic<int>& sent)
        : inner_(std::move(inner)), sent_(sent)
    {
    }
    int SendEcho(const PingAddress& destination, const IcmpEchoOptions& options, uint16_t sequence,
                 std::span<const uint8_t> data) override
    {
        ++sent_;
        return inner_->SendEcho(destination, options, sequence, data);
    }
    std::optional<IcmpReply> AwaitReply(uint16_t sequence, uint64_t deadlineMs) override
    {
        return inner_->AwaitReply(sequence, deadlineMs);
    }
    uint64_t NowMs() const override { return inner_->NowMs(); }

private:
    std::unique_ptr<IcmpTransport> inner_;
    std::atomic<int>& sent_;
};

struct RunResult {
    std::string error; // the namespace could not be entered, or the transport not opened
    int32_t result = 0;
    PingRequest request;
    std::string output;
};

class IcmpNetnsTest : public ::testing::TestWithParam<IcmpTestTransport> {
protected:
    void SetUp() override
    {
        if (std::string why = network_.Create(); !why.empty())
            GTEST_SKIP() << why;
        ASSERT_EQ(network_.Failed(), "");
        client_ = network_.Client();
    }

    // Runs the request from the client namespace through the transport under test.
    RunResult Ping(PingRequest request, const std::function<void(CPingCounter&)>& alongside = {},
                   std::atomic<int>* sent = nullptr)
    {
        RunResult run;
        RunOnOwnThread([&] {
            run.error = EnterNamedNamespace(client_);
            if (!run.error.empty())
                return;
            const IcmpTestTransport kind = GetParam();
            if (!OpenIcmpTestTransport(kind, &run.error))
                return;
            IcmpTransportOpener open = [kind, sent](std::string* why) -> std::unique_ptr<IcmpTransport> {
                std::unique_ptr<IcmpTransport> inner = OpenIcmpTestTransport(kind, why);
                if (!inner || sent == nullptr)
                    return inner;
                return std::make_unique<CCountingTransport>(std::move(inner), *sent);
            };
            CPingOutput output;
            CPingCounter counter;
            NewPingId(&request, counter);
            request.output = &output;
            std::thread other;
            if (alongside)
                other = std::thread([&] { alongside(counter); });
            run.result = IcmpPing(&request, counter, open);
            if (other.joinable())
                other.join();
            request.output = nullptr;
            run.request = request;
            run.output = output.Text();
        });
        return run;
    }

    static PingRequest Request(const PingAddress& address, uint8_t count, uint8_t ttl = 64)
    {
        PingRequest request;
        request.address = address;
        request.count = count;
        // An answer can be slow on a loaded machine (the first echo also waits for the neighbours to be found), so an
        // answered echo has room to come; a silent address is waited for only as long as its tests need.
        request.timeout = address == kSilent ? 1000 : 5000;
        request.size = 32;
        request.ttl = ttl;
        return request;
    }

    CRoutedTestNetwork network_;
    std::string client_;
};

TEST_P(IcmpNetnsTest, TargetAnswersThroughTheRouter)
{
    RunResult run = Ping(Request(kTarget, 2));
    ASSERT_EQ(run.error, "");
    ASSERT_EQ(run.result, kIcmpPingDone);
    EXPECT_EQ(run.request.received, 2) << run.output;
    EXPECT_EQ(run.request.status, kIcmpStatusSuccess);
    EXPECT_EQ(run.request.replyAddress, kTarget);
    EXPECT_EQ(run.request.replyTtl, 63) << "one router on the way back";

    // Two hops are exactly enough.
    run = Ping(Request(kTarget, 1, 2));
    EXPECT_EQ(run.request.received, 1) << run.output;
    EXPECT_EQ(run.request.status, kIcmpStatusSuccess);
}

TEST_P(IcmpNetnsTest, TtlOneExpiresAtTheRouter)
{
    RunResult run = Ping(Request(kTarget, 2, 1));
    ASSERT_EQ(run.error, "");
    EXPECT_EQ(run.request.received, 2) << run.output;
    EXPECT_EQ(run.request.status, kIcmpStatusTtlExpiredTransit);
    EXPECT_EQ(run.request.replyAddress, kRouterNear);
    EXPECT_EQ(run.output, "Reply from [198.51.100.2]: TTL expired in transit\r\n"
                          "Reply from [198.51.100.2]: TTL expired in transit\r\n");
}

TEST_P(IcmpNetnsTest, UnreachableRouteIsAnsweredByTheRouter)
{
    RunResult run = Ping(Request(kUnreachable, 1));
    ASSERT_EQ(run.error, "");
    EXPECT_EQ(run.request.received, 1) << run.output;
    EXPECT_EQ(run.request.status, kIcmpStatusDestHostUnreachable);
    EXPECT_EQ(run.request.replyAddress, kRouterNear);
    EXPECT_EQ(run.output, "Reply from [198.51.100.2]: destination host unreachable\r\n");
}

TEST_P(IcmpNetnsTest, SilentAddressTimesOut)
{
    RunResult run = Ping(Request(kSilent, 2));
    ASSERT_EQ(run.error, "");
    EXPECT_EQ(run.request.received, 0);
    EXPECT_EQ(run.request.status, kIcmpStatusTimedOut);
    const unsigned first = run.request.id * 100 + 1;
    EXPECT_EQ(run.output, "ping 203.0.113.70 icmp_seq=" + std::to_string(first) + " timed out\r\n" +
                              "ping 203.0.113.70 icmp_seq=" + std::to_string(first + 1) + " timed out\r\n");
}

TEST_P(IcmpNetnsTest, DontFragmentBeyondThePathIsRefused)
{
    PingRequest request = Request(kTarget, 1);
    request.size = 9996;
    request.dontFragment = 1;
    RunResult run = Ping(request);
    ASSERT_EQ(run.error, "");
    EXPECT_EQ(run.request.received, 0);
    EXPECT_EQ(run.request.status, kIcmpStatusTimedOut) << "an echo that could not be sent";
    EXPECT_EQ(run.output, "ping 203.0.113.2 icmp_seq=" + std::to_string(run.request.id * 100 + 1) +
                              " err=" + std::to_string(EMSGSIZE) + "\r\n");

    // Without the flag the same size is fragmented and answered.
    request.dontFragment = 0;
    run = Ping(request);
    EXPECT_EQ(run.request.received, 1) << run.output;
}

TEST_P(IcmpNetnsTest, NewerIdEndsTheRunToASilentAddress)
{
    std::atomic<int> sent{0};
    RunResult run = Ping(
        Request(kSilent, 10),
        [](CPingCounter& counter) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1200));
            PingRequest newer;
            NewPingId(&newer, counter);
        },
        &sent);
    ASSERT_EQ(run.error, "");
    EXPECT_EQ(run.result, kIcmpPingDone);
    EXPECT_LT(sent.load(), 10);
    EXPECT_EQ(run.request.received, 0);
}

INSTANTIATE_TEST_SUITE_P(Transports, IcmpNetnsTest,
                         ::testing::Values(IcmpTestTransport::kPingSocket, IcmpTestTransport::kRawSocket),
                         [](const ::testing::TestParamInfo<IcmpTestTransport>& info) {
                             return std::string(IcmpTestTransportName(info.param));
                         });

// The reachability check on the system's transport, from the client namespace.
class IcmpNetnsReachabilityTest : public IcmpNetnsTest {};

TEST_P(IcmpNetnsReachabilityTest, OnlyTheTargetIsReachable)
{
    std::vector<std::pair<PingAddress, IcmpReachability>> rows = {
        {kTarget, IcmpReachability::kReachable},
        {kUnreachable, IcmpReachability::kUnreachable},
        {kSilent, IcmpReachability::kUnreachable},
        {kClient, IcmpReachability::kReachable},
    };
    for (const auto& row : rows) {
        const PingAddress address = row.first;
        IcmpReachability result = IcmpReachability::kUnavailable;
        std::string error;
        RunOnOwnThread([&] {
            error = EnterNamedNamespace(client_);
            if (error.empty())
                result = CheckIcmpReachable(address, 1000, &error);
        });
        EXPECT_EQ(result, row.second) << FormatIpAddress(address) << " " << error;
    }
}

INSTANTIATE_TEST_SUITE_P(System, IcmpNetnsReachabilityTest, ::testing::Values(IcmpTestTransport::kSystem),
                         [](const ::testing::TestParamInfo<IcmpTestTransport>&) { return std::string("System"); });

} // namespace
