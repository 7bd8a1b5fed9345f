// Echoes across a router: three network namespaces made for each test, client - router - target, joined by veth
// pairs on documentation ranges with no way out of them. The router answers TTL expiry and an unreachable route, and
// silently drops a blackhole route. Needs root and the ip tool; skipped otherwise.

#include "link/icmp/icmp_ping.h"
#include "link/icmp/icmp_reachability.h"
#include "link/icmp/icmp_status.h"
#include "link/icmp/ping_output.h"
#include "tests/link/netns/icmp_test_network.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

const PingAddress kClient{198, 51, 100, 1};
const PingAddress kRouterNear{198, 51, 100, 2};
const PingAddress kTarget{203, 0, 113, 2};
const PingAddress kUnreachable{203, 0, 113, 130}; // in the router's unreachable route
const PingAddress kSilent{203, 0, 113, 70};       // in the router's blackhole route

bool Shell(const std::string& command)
{
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

std::string UniqueTag()
{
    std::random_device random;
    char tag[32];
    std::snprintf(tag, sizeof tag, "tvk%x%04x", static_cast<unsigned>(::getpid()), random() & 0xFFFF);
    return tag;
}

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
        if (::geteuid() != 0)
            GTEST_SKIP() << "needs root to create network namespaces";
        if (!Shell("command -v ip"))
            GTEST_SKIP() << "the ip tool (iproute2) is not installed";
        std::string tag = UniqueTag();
        client_ = tag + "-c";
        router_ = tag + "-r";
        target_ = tag + "-t";
        if (!Shell("ip netns add " + client_))
            GTEST_SKIP() << "ip netns add fails here: no network namespaces";
        created_.push_back(client_);
        ASSERT_TRUE(Shell("ip netns add " + router_));
        created_.push_back(router_);
        ASSERT_TRUE(Shell("ip netns add " + target_));
        created_.push_back(target_);

        const std::string c = "ip -n " + client_ + " ";
        const std::string r = "ip -n " + router_ + " ";
        const std::string t = "ip -n " + target_ + " ";
        const std::vector<std::string> commands = {
            c + "link add c0 type veth peer name r0 netns " + router_,
            r + "link add r1 type veth peer name t0 netns " + target_,
            c + "addr add 198.51.100.1/30 dev c0",
            c + "link set lo up",
            c + "link set c0 up",
            c + "route add default via 198.51.100.2",
            r + "addr add 198.51.100.2/30 dev r0",
            r + "addr add 203.0.113.1/30 dev r1",
            r + "link set lo up",
            r + "link set r0 up",
            r + "link set r1 up",
            r + "route add unreachable 203.0.113.128/25",
            r + "route add blackhole 203.0.113.64/26",
            t + "addr add 203.0.113.2/30 dev t0",
            t + "link set lo up",
            t + "link set t0 up",
            t + "route add default via 203.0.113.1",
        };
        for (const std::string& command : commands)
            ASSERT_TRUE(Shell(command)) << command;
        ASSERT_TRUE(SetSysctl(router_, "net/ipv4/ip_forward", "1"));
        // Every error answer is wanted, however fast the tests ask.
        ASSERT_TRUE(SetSysctl(router_, "net/ipv4/icmp_ratelimit", "0"));
        ASSERT_TRUE(SetSysctl(client_, "net/ipv4/ping_group_range", "0 2147483647"));
    }

    void TearDown() override
    {
        for (const std::string& name : created_)
            Shell("ip netns del " + name);
    }

    static bool SetSysctl(const std::string& ns, const std::string& path, const std::string& value)
    {
        bool done = false;
        RunOnOwnThread([&] { done = EnterNamedNamespace(ns).empty() && WriteThreadSysctl(path, value); });
        return done;
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
        request.timeout = 1000;
        request.size = 32;
        request.ttl = ttl;
        return request;
    }

    std::string client_;
    std::string router_;
    std::string target_;
    std::vector<std::string> created_;
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
    EXPECT_EQ(run.request.status, kIcmpStatusPacketTooBig);
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
