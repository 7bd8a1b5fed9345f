// The one-echo reachability check of the login, the SNMP link and discovery, and the process-wide transport choice.
// Which answers make an address reachable is tested across a real router (icmp_netns_test).

#include "link/icmp/icmp_ping.h"
#include "link/icmp/icmp_reachability.h"
#include "link/icmp/scripted_icmp_transport.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

const PingAddress kNe{192, 0, 2, 10};

class IcmpReachabilityTest : public ::testing::Test {
protected:
    void SetUp() override { SetIcmpTransportOpener(network_.Opener()); }
    void TearDown() override { SetIcmpTransportOpener(nullptr); }

    CScriptedIcmpNetwork network_;
};

TEST_F(IcmpReachabilityTest, ClientPingDoesNotCutTheCheckShort)
{
    // A client ping taking an id while the check waits must not end the check.
    network_.SetOnSend([](const SentEcho&) {
        PingRequest clientPing;
        NewPingId(&clientPing);
    });
    network_.Push(ScriptedEcho::Reply(800));
    EXPECT_EQ(CheckIcmpReachable(kNe, 1000), IcmpReachability::kReachable);
}

// A router's error answer counts as received, yet the NE stays unreachable: only the NE's own echo reply makes it
// reachable (the check looks at the status as well as the count).
TEST_F(IcmpReachabilityTest, OnlyTheNesOwnReplyMakesItReachable)
{
    const PingAddress router{192, 0, 2, 1};
    const struct {
        const char* name;
        ScriptedEcho answer;
        IcmpReachability expected;
    } rows[] = {
        {"echo reply", ScriptedEcho::Reply(3), IcmpReachability::kReachable},
        {"host unreachable from a router", ScriptedEcho::Error(3, 1, router), IcmpReachability::kUnreachable},
        {"TTL expired at a router", ScriptedEcho::Error(11, 0, router), IcmpReachability::kUnreachable},
        {"no answer", ScriptedEcho::Silence(), IcmpReachability::kUnreachable},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        network_.Push(row.answer);
        EXPECT_EQ(CheckIcmpReachable(kNe, 1000), row.expected);
    }
}

// The check is one echo of 64 data bytes, TTL 255, ToS 0, fragmentation allowed, waited for as long as asked.
TEST_F(IcmpReachabilityTest, TheCheckIsOneEchoOf64BytesWithTtl255)
{
    network_.Push(ScriptedEcho::Silence());
    network_.Push(ScriptedEcho::Silence());
    EXPECT_EQ(CheckIcmpReachable(kNe, 1000), IcmpReachability::kUnreachable);
    const std::vector<SentEcho> sent = network_.Sent();
    ASSERT_EQ(sent.size(), 1u);
    const SentEcho& echo = sent[0];
    EXPECT_EQ(echo.destination, kNe);
    EXPECT_EQ(echo.data.size(), 64u);
    EXPECT_EQ(echo.options.ttl, 255);
    EXPECT_EQ(echo.options.tos, 0);
    EXPECT_FALSE(echo.options.dontFragment);
    EXPECT_EQ(echo.waitEndMs - echo.sentAtMs, 1000u);
}

TEST_F(IcmpReachabilityTest, NoSocketGivesTheReason)
{
    network_.FailOpen("ping socket refused; raw socket refused");
    std::string error;
    EXPECT_EQ(CheckIcmpReachable(kNe, 1000, &error), IcmpReachability::kUnavailable);
    EXPECT_EQ(error, "ping socket refused; raw socket refused");
    EXPECT_EQ(CheckIcmpReachable(kNe, 1000), IcmpReachability::kUnavailable);
}

TEST_F(IcmpReachabilityTest, ProgramWideRunUsesTheCurrentOpenerAndCounter)
{
    network_.Push(ScriptedEcho::Reply(2));
    PingRequest request;
    request.address = kNe;
    request.count = 1;
    NewPingId(&request);
    EXPECT_EQ(IcmpPing(&request), kIcmpPingDone);
    EXPECT_EQ(request.received, 1);
    EXPECT_EQ(network_.Sent().at(0).sequence, request.id * 100 + 1);

    // A newer program-wide id ends a run on the program-wide counter.
    PingRequest stale = request;
    NewPingId(&request);
    EXPECT_EQ(IcmpPing(&stale), kIcmpPingDone);
    EXPECT_EQ(network_.Sent().size(), 1u) << "nothing sent for the stale run";
}

TEST(IcmpTransportOpener, EmptyOpenerRestoresTheSystemOne)
{
    CScriptedIcmpNetwork network;
    SetIcmpTransportOpener(network.Opener());
    ASSERT_TRUE(CurrentIcmpTransportOpener()(nullptr));
    EXPECT_EQ(network.OpenCount(), 1);
    SetIcmpTransportOpener(nullptr);
    std::string error;
    std::unique_ptr<IcmpTransport> system = CurrentIcmpTransportOpener()(&error);
    EXPECT_EQ(network.OpenCount(), 1);
    // Either a socket opened, or the reason is spelt out.
    EXPECT_TRUE(system != nullptr || error.find("ping socket") != std::string::npos) << error;
}

} // namespace
