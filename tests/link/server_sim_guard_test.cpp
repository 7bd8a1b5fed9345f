// The simulated management server under misuse and load, over loopback TCP: workstations that do not log on, do
// not read, leave frames half-sent, speak another protocol version or exhaust its descriptors cost it little and
// disturb no other; a generated network of many NEs serves a login.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "link/driver_logs.h"
#include "link/records/record_bytes.h"
#include "link/records/word_record.h"
#include "tests/core/temp_file_test.h"
#include "tests/link/server_sim_fixture.h"

namespace {

using namespace server_test;

constexpr int kBoundMs = 10000; // waits for a condition end here at the latest

const std::vector<uint8_t> kByte{0};

uint32_t StatusOf(const std::optional<Frame>& frame)
{
    return frame ? frame->header.status : 0xFFFFFFFFu;
}

class SimGuardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim_.Start({"--scenario", WorldScenario(), "--test-control", "--frame-timeout", "500",
                                "--logon-timeout", "1500", "--max-unsent-kb", "256"}));
    }

    std::unique_ptr<CRawClient> LoggedOn(const std::string& user)
    {
        auto client = std::make_unique<CRawClient>();
        EXPECT_TRUE(client->Connect(sim_.Port()));
        EXPECT_TRUE(client->Logon(user, user));
        return client;
    }

    CSimServerProcess sim_;
};

TEST_F(SimGuardTest, RefusedLogonEndsTheSessionAndItsConnection)
{
    const auto admin = LoggedOn("admin");
    const auto manager = LoggedOn("manager");
    auto online = [&] {
        const std::optional<Frame> reply = manager->ReplyTo(manager->Send(kEmsOpQuery, kReqOnlineUser, 0, kByte, 1));
        return reply ? reply->header.count : 0xFFFFFFFFu;
    };
    EXPECT_EQ(online(), 2u);
    EXPECT_FALSE(admin->Logon("admin", "wrong"));
    EXPECT_TRUE(admin->ClosedWithin(kBoundMs));
    EXPECT_EQ(online(), 1u);
}

TEST_F(SimGuardTest, ConnectionThatHasNotLoggedOnGetsOneRefusalAndIsClosed)
{
    struct Probe {
        const char* what;
        uint8_t operation;
        uint16_t code;
        std::vector<uint8_t> record;
        uint32_t recordSize;
    };
    LogonRec logon;
    logon.userName = "admin";
    logon.passwordDigest = Digest("admin");
    const auto logonBytes = EncodeRecord(logon);
    const auto control = EncodeRecord(SimControlRec{kSimStaySilent, 1, 0, 0});
    const Probe probes[] = {
        {"a query", kEmsOpQuery, 33, kByte, 1},
        {"a keep-alive", kEmsOpQuery, kReqKeepAlive, kByte, 1},
        {"a logoff", kEmsOpModify, kReqLogoff, kByte, 1},
        {"a frame of another operation", kEmsOpReply, 33, kByte, 1},
        {"a logon as a reply", kEmsOpReply, kReqLogon, {logonBytes.begin(), logonBytes.end()}, kLogonRecSize},
        {"the tests' control request",
         kEmsOpModify,
         kReqSimControl,
         {control.begin(), control.end()},
         kSimControlRecSize},
    };
    for (const Probe& probe : probes) {
        CRawClient stranger;
        ASSERT_TRUE(stranger.Connect(sim_.Port()));
        for (int i = 0; i < 50; ++i) {
            stranger.Send(probe.operation, probe.code, 0, probe.record, probe.recordSize);
        }
        EXPECT_TRUE(stranger.ClosedWithin(kBoundMs)) << probe.what;
        ASSERT_EQ(stranger.Notifications().size(), 1u) << probe.what;
        EXPECT_EQ(stranger.Notifications()[0].header.status, static_cast<uint32_t>(kDrvNotLoggedIn)) << probe.what;
    }
}

TEST_F(SimGuardTest, IdleAndHalfSentConnectionsAreClosedLoggedOnOnesStay)
{
    const auto quiet = LoggedOn("admin");
    CRawClient idle;
    ASSERT_TRUE(idle.Connect(sim_.Port()));
    const auto halfSent = LoggedOn("manager");
    const std::vector<uint8_t> frame = EncodeFrame(FrameHeader{}, nullptr, 0);
    ASSERT_TRUE(halfSent->SendBytes({frame.begin(), frame.begin() + 30}));

    EXPECT_TRUE(halfSent->ClosedWithin(kBoundMs));
    EXPECT_TRUE(idle.ClosedWithin(kBoundMs));
    // Logged on and silent for longer than the logon time-out, and still served.
    EXPECT_EQ(StatusOf(quiet->ReplyTo(quiet->Send(kEmsOpQuery, kReqKeepAlive, 0, kByte, 1))), 0u);
}

TEST_F(SimGuardTest, WorkstationThatDoesNotReadIsDroppedPastTheCap)
{
    const auto deaf = LoggedOn("north");
    ASSERT_EQ(StatusOf(deaf->ReplyTo(deaf->Send(kEmsOpModify, kReqNotificationsOn, 0, {1, 0, 0, 0}, kWordRecordSize))),
              0u);
    const auto admin = LoggedOn("admin");
    // 20,000 state records (1.2 MB) for every workstation that asked for notifications; deaf reads none of them.
    const auto push = EncodeRecord(SimControlRec{kSimPushEntityStates, 20000, kSimChannelTcp, 0});
    EXPECT_EQ(StatusOf(admin->ReplyTo(
                  admin->Send(kEmsOpModify, kReqSimControl, 1, {push.begin(), push.end()}, kSimControlRecSize))),
              0u);
    EXPECT_TRUE(deaf->ClosedWithin(kBoundMs));
}

TEST_F(SimGuardTest, PushOfMoreRecordsThanTheCapIsRefused)
{
    const auto admin = LoggedOn("admin");
    const auto push = EncodeRecord(SimControlRec{kSimPushEntityStates, 0xFFFFFFFFu, kSimChannelTcp, 0});
    EXPECT_EQ(StatusOf(admin->ReplyTo(
                  admin->Send(kEmsOpModify, kReqSimControl, 1, {push.begin(), push.end()}, kSimControlRecSize))),
              static_cast<uint32_t>(kDrvInvalidParameter));
    EXPECT_EQ(StatusOf(admin->ReplyTo(admin->Send(kEmsOpQuery, kReqKeepAlive, 0, kByte, 1))), 0u);
}

TEST_F(SimGuardTest, FrameOfAnotherProtocolVersionIsRefusedInOurs)
{
    CRawClient future;
    ASSERT_TRUE(future.Connect(sim_.Port()));
    LogonRec logon;
    logon.userName = "admin";
    logon.passwordDigest = Digest("admin");
    const auto bytes = EncodeRecord(logon);
    const uint32_t sequence =
        future.Send(kEmsOpModify, kReqLogon, 0, {bytes.begin(), bytes.end()}, kLogonRecSize, kFrameProtocolVersion + 1);
    const std::optional<Frame> refusal = future.ReplyTo(sequence);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->header.status, static_cast<uint32_t>(kDrvInvalidFormat));
    EXPECT_EQ(refusal->header.version, kFrameProtocolVersion);
    EXPECT_TRUE(future.ClosedWithin(kBoundMs));
}

TEST(SimDescriptors, ShortageTurnsConnectionsAwayWithoutStoppingTheServer)
{
    CSimServerProcess sim;
    sim.LimitDescriptors(16);
    ASSERT_TRUE(sim.Start({"--scenario", WorldScenario()}));
    std::vector<std::unique_ptr<CRawClient>> crowd;
    for (int i = 0; i < 24; ++i) {
        crowd.push_back(std::make_unique<CRawClient>());
        ASSERT_TRUE(crowd.back()->Connect(sim.Port()));
    }
    EXPECT_TRUE(crowd.back()->ClosedWithin(kBoundMs)) << "a connection beyond the descriptors waits forever";
    crowd.clear();
    // The crowd's descriptors come free as the server sees its connections end.
    bool served = false;
    for (int attempt = 0; attempt < 50 && !served; ++attempt) {
        CRawClient late;
        served = late.Connect(sim.Port()) && late.Logon("admin", "admin");
    }
    EXPECT_TRUE(served);
}

// A server started for tests ends with the process that started it, also while it waits for a workstation that is
// logged on and silent.
TEST(SimParent, ServerEndsWithTheProcessThatStartedIt)
{
    // A shell starts the server, tells its process id, and lives until its input ends.
    int input[2];
    int output[2];
    ASSERT_EQ(::pipe2(input, O_CLOEXEC), 0);
    ASSERT_EQ(::pipe2(output, O_CLOEXEC), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    std::vector<std::string> args{"/bin/sh",
                                  "-c",
                                  "\"$@\" & echo \"server $!\"; read line",
                                  "sh",
                                  (snmp_test::BuildDir() / "sim" / "tarvik-sim-server").string(),
                                  "--exit-with-parent",
                                  "--port",
                                  "0",
                                  "--scenario",
                                  WorldScenario()};
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t shell = -1;
    const int spawned = ::posix_spawn(&shell, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(input[0]);
    ::close(output[1]);
    ASSERT_EQ(spawned, 0);
    std::string said;
    auto line = [&](const std::string& begin) -> std::optional<std::string> {
        for (;;) {
            const size_t end = said.find('\n');
            if (end != std::string::npos) {
                const std::string text = said.substr(0, end);
                said.erase(0, end + 1);
                if (text.rfind(begin, 0) == 0)
                    return text.substr(begin.size());
                continue;
            }
            pollfd readable{output[0], POLLIN, 0};
            char chunk[256];
            const ssize_t n = ::poll(&readable, 1, kBoundMs) == 1 ? ::read(output[0], chunk, sizeof chunk) : 0;
            if (n <= 0)
                return std::nullopt;
            said.append(chunk, static_cast<size_t>(n));
        }
    };
    const std::optional<std::string> pid = line("server ");
    const std::optional<std::string> listening = line("listening on ");
    ASSERT_TRUE(pid && listening);
    const auto serverPid = static_cast<pid_t>(std::stol(*pid));
    CRawClient workstation;
    ASSERT_TRUE(workstation.Connect(static_cast<uint16_t>(std::stoul(listening->substr(listening->rfind(':') + 1)))));
    ASSERT_TRUE(workstation.Logon("admin", "admin"));

    ::close(input[1]); // the shell reads the end of its input and ends
    ::waitpid(shell, nullptr, 0);
    const bool ended = workstation.ClosedWithin(kBoundMs);
    if (!ended)
        ::kill(serverPid, SIGKILL);
    ::close(output[0]);
    EXPECT_TRUE(ended) << "the server outlived the process that started it";
}

class SimVersionTest : public SimLinkTest {
protected:
    void TearDown() override
    {
        SimLinkTest::TearDown();
        SetDriverLogSwitches({});
        CloseDriverLogs();
        SetLinkLogDirectory("");
    }

    CTempDir logDir_;
};

TEST_F(SimVersionTest, AnswerInAnotherVersionEndsTheLinkWithAClearResult)
{
    SetLinkLogDirectory(logDir_.Path().string());
    SetDriverLogSwitches({false, false, true, false});
    ASSERT_EQ(Login("admin", "admin"), kDrvOk);
    const auto record = EncodeRecord(SimControlRec{kSimAnswerInVersion, kFrameProtocolVersion + 1, 0, 0});
    EXPECT_EQ(Request(kEmsOpModify, kReqSimControl, 0, record.data(), kSimControlRecSize, 1, -2, kStrFailToUpdateData),
              kDrvInvalidFormat);
    // The operator reads that the server speaks another version, not that a message was garbled.
    const std::vector<CHeadlessLinkUi::FailureMessage> boxes = linkUi_.FailureMessages();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].errorText, "the server answers in protocol version 2, this workstation speaks version 1");
    EXPECT_TRUE(DispatchUntil([&] { return !driver_->IsConnected(); }));
    const std::string text = ReadText(GetDriverLogPath(DriverLogKind::Comm));
    EXPECT_NE(text.find("frame of protocol version 2 from the server, this workstation speaks 1"), std::string::npos);
}

class SimGeneratedNetworkTest : public SimLinkTest {
protected:
    std::vector<std::string> WorldArguments() const override { return {"--generate-nes", "2000"}; }
};

TEST_F(SimGeneratedNetworkTest, ServesALoginAndTheStatesOfItsNes)
{
    // Turning notifications on sends the state of every entity (megabytes): the requests after it wait until the
    // workstation has read that, and are then answered.
    ASSERT_EQ(Login("north", "north"), kDrvOk);
    EXPECT_EQ(AppData().nes.Count(), 2000u);
    EXPECT_EQ(AppData().locations.Count(), 24u);
    EXPECT_EQ(AppData().accounts.Count(), 4u);
    EXPECT_EQ(AppData().scopeLocationId, 2u);
    ASSERT_EQ(Query(kReqBoardSetting, 1975), kDrvOk);
    ASSERT_EQ(Query(kReqEntityState, 1975), kDrvOk);
    EXPECT_EQ(FindNeById(1975)->root->FindById(10103)->GetStateBits(), 1u << 3);
    const CNeRecord* large = FindNeById(2000);
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(large->neModelId, 4u);
    EXPECT_EQ(large->GetIpText(), "10.1.9.1");
}

// Raw workstations of one operator against a generated network whose states take megabytes.
class SimGeneratedBurstTest : public ::testing::Test {
protected:
    static constexpr uint32_t kNes = 2000;

    void SetUp() override { ASSERT_TRUE(sim_.Start({"--generate-nes", std::to_string(kNes)})); }

    // Turns notifications on and sends a keep-alive at once; the NEs whose states came before its reply.
    static std::set<uint32_t> NesStatedBeforeTheNextReply(CRawClient& client)
    {
        client.Notifications().clear();
        client.Send(kEmsOpModify, kReqNotificationsOn, 0, {1, 0, 0, 0}, kWordRecordSize);
        const std::optional<Frame> reply = client.ReplyTo(client.Send(kEmsOpQuery, kReqKeepAlive, 0, kByte, 1));
        std::set<uint32_t> nes;
        for (const Frame& frame : client.Notifications()) {
            if (frame.header.requestCode == kReqEntityState && frame.header.sequence == 0)
                nes.insert(frame.header.neId);
        }
        EXPECT_TRUE(reply.has_value());
        return nes;
    }

    CSimServerProcess sim_;
};

TEST_F(SimGeneratedBurstTest, EveryNesStatesGoToTheAskerAloneBeforeItsNextReply)
{
    CRawClient first;
    CRawClient second;
    ASSERT_TRUE(first.Connect(sim_.Port()) && first.Logon("admin", "admin"));
    ASSERT_TRUE(second.Connect(sim_.Port()) && second.Logon("admin", "admin"));
    EXPECT_EQ(NesStatedBeforeTheNextReply(first).size(), kNes);
    EXPECT_EQ(NesStatedBeforeTheNextReply(second).size(), kNes);
    // The first has been sent everything the second's request caused by the time it answers.
    first.Notifications().clear();
    ASSERT_TRUE(first.ReplyTo(first.Send(kEmsOpQuery, kReqKeepAlive, 0, kByte, 1)).has_value());
    EXPECT_TRUE(first.Notifications().empty()) << "the states the second asked for went to the first as well";
}

} // namespace
