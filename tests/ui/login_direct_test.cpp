// The direct-mode login through the application object against the simulated NE agent: the role from the NE's
// communities and users, the NE's record in the table, a user the NE does not know, the community kept whole, and
// the NE clock set at login by its year.

#include "tests/ui/app_test_support.h"

#include "link/records/ne_time_record.h"
#include "ui/shell/app/ems_app.h"
#include "ui/shell/app/login_sequence.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <memory>

namespace {

using namespace app_test;

const std::string kIpd48 = std::string(TARVIK_TEST_DATA_DIR) + "/snmp/ne_agent_ipd48.ini";

// Mid-year times, so that no time zone moves them into another year.
constexpr uint32_t k1999 = 930787200;  // 1999-07-01 00:00 UTC
constexpr uint32_t k2000 = 962409600;  // 2000-07-01
constexpr uint32_t k2001 = 993945600;  // 2001-07-01
constexpr uint32_t k2005 = 1120176000; // 2005-07-01

class LoginDirectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!snmp_test::ToolExists(snmp_test::AgentPath().string()))
            GTEST_SKIP() << "the simulated NE agent is not built (" << snmp_test::AgentPath() << ")";
        LoadProgramStrings();
        ResetProgramState();
        dir_.CopyDefinitionFiles();
    }
    void TearDown() override { ResetProgramState(); }

    void StartAgent(const std::string& scenario)
    {
        agent_ = std::make_unique<snmp_test::CAgentProcess>();
        ASSERT_TRUE(agent_->Start({"--scenario", scenario}));
        dir_.WriteIni("[SYSTEM]\nSERVERIP=127.0.0.1\nDIRECTCONTROL=1\n" + systemExtra_ + "[LINK]\nSNMPPORT=" +
                      std::to_string(agent_->Port()) + "\nSNMPTRAPPORT=" + std::to_string(FreeUdpPort()) +
                      "\nSNMPWAIT=1000\nSNMPRETRY=1\n" + "[ALARM]\nPOLLINTERVAL=0\n");
    }

    bool Login(CEmsApp& app, const std::string& user, const std::string& community)
    {
        app.SetMainFrameFactory(FakeFrameFactory(&frame_));
        runner_.PushLogin(LoginInput{.user = user, .password = community});
        return app.InitInstance();
    }

    // A scenario of one NE with the given clock and one community and user.
    std::string WriteScenario(int64_t clockOffset, const std::string& community)
    {
        const fs::path path = dir_.Path() / "ne.ini";
        WriteText(path, "[AGENT]\nNEMODEL=4\nCLOCKOFFSET=" + std::to_string(clockOffset) +
                            "\n[COMMUNITY1]\nNAME=" + community + "\nPERMISSION=2\n[USER1]\nNAME=qurim\nROLE=2\n");
        return path.string();
    }

    uint32_t QueryNeClock()
    {
        const uint8_t body[kNeTimeRecordSize] = {};
        EmsMsg msg;
        BuildEmsMsg(&msg, kEmsOpQuery, kReqNeTime, kNeTimeRecordSize, body, 1);
        EmsMsg* reply = nullptr;
        EXPECT_EQ(GetCurrentDriver().RequestEmsMsg(&msg, &reply, 0, CNetDrv::kDefaultTimeout, false), 0);
        NeTimeRecord time;
        EXPECT_TRUE(DecodeNeTimeRecord(EmsRecordAt(*reply, 0), reply->recordSize, &time));
        return time.neClock;
    }

    CWorkDir dir_;
    CAppRunner runner_;
    ScriptedMessageBoxes plainBoxes_;
    std::unique_ptr<snmp_test::CAgentProcess> agent_;
    CFakeFrame* frame_ = nullptr;
    std::string systemExtra_;
};

struct RoleCase {
    const char* community;
    const char* user;
    int role;
};

TEST_F(LoginDirectTest, TheRoleComesFromTheCommunityAndTheUser)
{
    StartAgent(kIpd48);
    const std::vector<RoleCase> cases = {
        {"private", "qurim", kRoleAdministrator}, // read-write community, administrator user
        {"public", "qurim", kRoleUser},           // read-only community
        {"private", "guest", kRoleUser},          // a user of another level
        {"private", "su", kRoleAdministrator},
    };
    for (const RoleCase& c : cases) {
        SCOPED_TRACE(std::string(c.community) + "/" + c.user);
        ResetProgramState();
        CEmsApp app;
        ASSERT_TRUE(Login(app, c.user, c.community));
        EXPECT_EQ(AppData().role, c.role);
        EXPECT_EQ(CheckUserRight(kRoleAdministrator, 126, 'x'), 1);
        EXPECT_EQ(CheckUserRight(kRoleManager, 126, 'm'), 1);
        EXPECT_EQ(CheckUserRight(kRoleUser, 126, 'm'), 0);

        const CNeRecord* ne = AppData().nes.FindNeById(1);
        ASSERT_NE(ne, nullptr);
        EXPECT_EQ(AppData().nes.Count(), 1u);
        EXPECT_EQ(ne->port, agent_->Port());
        EXPECT_EQ(ne->community, c.community);
        EXPECT_EQ(ne->loginUser, "qurim");
        EXPECT_NE(ne->stateWord & kNeStateDirectLogin, 0u);
        // The NE's reply to request 30 told its model.
        EXPECT_EQ(ne->neModelId, 4u);
        EXPECT_TRUE(GetCurrentDriver().IsLoggedIn());

        const std::string ini = ReadText(dir_.Ini());
        EXPECT_NE(ini.find("DIRECTCONTROL=1"), std::string::npos);
        EXPECT_NE(ini.find("SNMPPORT=" + std::to_string(agent_->Port())), std::string::npos);
        EXPECT_NE(ini.find(std::string("USERNAME=") + c.user), std::string::npos);
        app.ExitInstance();
    }
}

TEST_F(LoginDirectTest, AUserTheNeDoesNotKnowIsToldAndTheNeTableEmptied)
{
    StartAgent(kIpd48);
    CEmsApp app;
    size_t nesOnRetry = 99;
    app.SetMainFrameFactory(FakeFrameFactory(&frame_));
    runner_.PushLogin(LoginInput{.user = "nobody", .password = "private"});
    runner_.PushLogin([&](CLoginDlg&) { nesOnRetry = AppData().nes.Count(); });
    EXPECT_FALSE(app.InitInstance());
    ASSERT_EQ(runner_.boxTexts.size(), 1u);
    EXPECT_EQ(runner_.boxTexts[0], QStringLiteral("Failed to login. User name is incorrect."));
    EXPECT_EQ(nesOnRetry, 0u);
    EXPECT_EQ(runner_.loginRuns, 2);
    app.ExitInstance();
}

TEST_F(LoginDirectTest, ACommunityLongerThanTheStoredPasswordIsUsedWhole)
{
    const std::string community = "lab-community-16";
    ASSERT_EQ(community.size(), 16u);
    StartAgent(WriteScenario(0, community));
    CEmsApp app;
    ASSERT_TRUE(Login(app, "qurim", community));
    EXPECT_EQ(AppData().role, kRoleAdministrator);
    ASSERT_NE(AppData().nes.FindNeById(1), nullptr);
    EXPECT_EQ(AppData().nes.FindNeById(1)->community, community);
    // The stored login password keeps its own width.
    EXPECT_EQ(AppData().GetLoginPassword(), community.substr(0, 10));
    app.ExitInstance();
}

TEST_F(LoginDirectTest, TheNeClockIsSetAtLoginOnlyWhenItsYearIsNotAfterTheLimit)
{
    struct ClockCase {
        uint32_t neClock;
        bool set;
    };
    systemExtra_ = "SYNCNETIMEAFTERLOGIN=1\nSYNCNETIMEMAXYEAR=2000\n";
    for (const ClockCase& c : {ClockCase{k1999, true}, ClockCase{k2005, false}}) {
        SCOPED_TRACE(c.neClock);
        ResetProgramState();
        const int64_t offset = static_cast<int64_t>(c.neClock) - static_cast<int64_t>(std::time(nullptr));
        StartAgent(WriteScenario(offset, "private"));
        CEmsApp app;
        ASSERT_TRUE(Login(app, "qurim", "private"));
        const int64_t clock = QueryNeClock();
        const int64_t now = std::time(nullptr);
        if (c.set)
            EXPECT_LT(std::llabs(clock - now), 600);
        else
            EXPECT_LT(std::llabs(clock - static_cast<int64_t>(c.neClock)), 600);
        app.ExitInstance();
    }
}

TEST(NeClockSyncTest, TheYearDecidesAgainstTheLimit)
{
    EXPECT_TRUE(NeClockNeedsSync(k1999, 2000));
    EXPECT_TRUE(NeClockNeedsSync(k2000, 2000));
    EXPECT_FALSE(NeClockNeedsSync(k2001, 2000));
    EXPECT_FALSE(NeClockNeedsSync(k2005, 2000));
    EXPECT_TRUE(NeClockNeedsSync(k2005, 2038));
    const int64_t now = std::time(nullptr);
    std::tm local{};
    const std::time_t t = now;
    localtime_r(&t, &local);
    EXPECT_EQ(UtcOffsetHours(now), static_cast<int16_t>(local.tm_gmtoff / 3600));
}

} // namespace
