// The direct login of the running program against the simulated NE: the role from the NE's communities and users, the
// NE's record in the table, a user the NE does not know, a community longer than the stored password, and the NE
// clock set at login by its year.

#include "tests/e2e/support/e2e_harness.h"

#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "link/driver_mode.h"
#include "link/record_requests.h"
#include "link/records/ne_time_record.h"
#include "ui/shell/app/login_dlg.h"
#include "ui/shell/app/login_sequence.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <utility>
#include <vector>

namespace {

// A scenario of one NE with the given clock offset and one community and user, in the program's working directory.
std::string WriteScenario(const e2e::CProgram& program, int64_t clockOffset, const std::string& community)
{
    const std::filesystem::path path = program.WorkDir().Path() / "ne.ini";
    app_test::WriteText(path,
                        "[AGENT]\nNEMODEL=4\nCLOCKOFFSET=" + std::to_string(clockOffset) +
                            "\n[NeSnmpCommunityRecord.1]\ncommunity=" + community +
                            "\npermission=2\nstate=1\n[NeUserAccountRecord.1]\nuserName=qurim\nrole=2\nstate=1\n");
    return path.string();
}

TEST(DirectLoginE2eTest, TheRoleComesFromTheCommunityAndTheUser)
{
    struct Case {
        const char* community;
        const char* user;
        int role;
    };
    for (const Case& c : {Case{"private", "qurim", kRoleAdministrator}, // read-write community, administrator user
                          Case{"public", "qurim", kRoleUser},           // read-only community
                          Case{"private", "guest", kRoleUser},          // a user of another level
                          Case{"private", "su", kRoleAdministrator}}) {
        SCOPED_TRACE(std::string(c.community) + "/" + c.user);
        e2e::CProgram program;
        ASSERT_TRUE(program.StartAgent());
        ASSERT_TRUE(program.Login(c.user, c.community));
        EXPECT_EQ(AppData().role, c.role);
        // Without a server the three roles hold 127 letters each: all, modify, query.
        for (const auto& [role, letter] : {std::pair{kRoleAdministrator, 'a'}, std::pair{kRoleManager, 'm'},
                                           std::pair{kRoleUser, 'q'}})
            EXPECT_EQ(std::string(GetRightsTable(role)->data()), std::string(127, letter)) << role;
        EXPECT_EQ(CheckUserRight(kRoleManager, 126, 'm'), 1);
        EXPECT_EQ(CheckUserRight(kRoleUser, 126, 'm'), 0);
        ASSERT_EQ(AppData().nes.Count(), 1u);
        const CNeRecord* ne = AppData().nes.FindNeById(1);
        ASSERT_NE(ne, nullptr);
        EXPECT_EQ(ne->port, program.PeerPort());
        EXPECT_EQ(ne->community, c.community);
        EXPECT_EQ(ne->loginUser, "qurim");
        EXPECT_NE(ne->stateWord & kNeStateDirectLogin, 0u);
        EXPECT_EQ(ne->neModelId, 4u) << "the NE's reply to request 30 tells its model";
        EXPECT_EQ(GetDriverMode(), kDriverModeSnmp);
        const std::string ini = app_test::ReadText(program.WorkDir().Ini());
        EXPECT_NE(ini.find("DIRECTCONTROL=1"), std::string::npos);
        EXPECT_NE(ini.find(std::string("USERNAME=") + c.user), std::string::npos);
    }
}

TEST(DirectLoginE2eTest, AUserTheNeDoesNotKnowIsToldAndTheNeTableEmptied)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartAgent());
    program.Operator().PushLogin(app_test::LoginInput{.user = "nobody", .password = "private", .direct = true});
    size_t nesOnRetry = 99;
    program.Operator().PushLogin([&](CLoginDlg&) { nesOnRetry = AppData().nes.Count(); });
    EXPECT_FALSE(program.Login("qurim", "private"));
    ASSERT_EQ(program.Operator().boxTexts.size(), 1u);
    EXPECT_EQ(program.Operator().boxTexts[0], QStringLiteral("Failed to login. User name is incorrect."));
    EXPECT_EQ(nesOnRetry, 0u);
}

TEST(DirectLoginE2eTest, ACommunityLongerThanTheStoredPasswordIsUsedWhole)
{
    const std::string community = "lab-community-16";
    e2e::CProgram program;
    ASSERT_TRUE(program.StartAgent({}, WriteScenario(program, 0, community)));
    ASSERT_TRUE(program.Login("qurim", community));
    EXPECT_EQ(AppData().role, kRoleAdministrator);
    ASSERT_NE(AppData().nes.FindNeById(1), nullptr);
    EXPECT_EQ(AppData().nes.FindNeById(1)->community, community);
    EXPECT_EQ(AppData().GetLoginPassword(), community.substr(0, 10)) << "the stored password keeps its own width";
}

// Mid-year times, so that no time zone moves them into another year.
constexpr uint32_t k1999 = 930787200;  // 1999-07-01 00:00 UTC
constexpr uint32_t k2005 = 1120176000; // 2005-07-01

TEST(DirectLoginE2eTest, TheNeClockIsSetAtLoginOnlyWhenItsYearIsNotAfterTheLimit)
{
    for (const auto& [neClock, set] : {std::pair{k1999, true}, std::pair{k2005, false}}) {
        SCOPED_TRACE(neClock);
        e2e::CProgram program;
        const int64_t offset = static_cast<int64_t>(neClock) - static_cast<int64_t>(std::time(nullptr));
        ASSERT_TRUE(
            program.StartAgent({.args = {}, .iniExtra = "[SYSTEM]\nSYNCNETIMEAFTERLOGIN=1\nSYNCNETIMEMAXYEAR=2000\n"},
                               WriteScenario(program, offset, "private")));
        ASSERT_TRUE(program.Login("qurim", "private"));
        const auto time = CRecordRequests().Query<NeTimeRecord>(kReqNeTime, 1, {.waitDialog = false});
        ASSERT_TRUE(time.Ok());
        ASSERT_EQ(time.records.size(), 1u);
        const int64_t expected = set ? std::time(nullptr) : static_cast<int64_t>(neClock);
        EXPECT_LT(std::llabs(static_cast<int64_t>(time.records[0].neClock) - expected), 600);
    }
}

// The requests the program sent, as (operation, code) in the order its PDU log wrote them.
std::vector<std::pair<int, int>> SentRequests(const e2e::CProgram& program)
{
    std::vector<std::pair<int, int>> sent;
    for (const char* name : {"PDU.bak", "PDU.log"}) {
        std::ifstream log(program.WorkDir().Path() / name);
        std::string line;
        while (std::getline(log, line)) {
            const size_t op = line.find(" SEND op=");
            const size_t code = line.find(" code=");
            if (op != std::string::npos && code != std::string::npos)
                sent.emplace_back(std::stoi(line.substr(op + 9)), std::stoi(line.substr(code + 6)));
        }
    }
    return sent;
}

using Sent = std::vector<std::pair<int, int>>;

// The login's requests go in this order. (The PDU log file is the process's: one program per test.)
void ExpectLoginOrder(const std::string& ini, const Sent& order)
{
    e2e::CProgram program;
    const int64_t offset = static_cast<int64_t>(k1999) - static_cast<int64_t>(std::time(nullptr));
    ASSERT_TRUE(program.StartAgent({.args = {}, .iniExtra = "[PDULOG]\nPDULOGTOFILE=1\n" + ini},
                                   WriteScenario(program, offset, "private")));
    ASSERT_TRUE(program.Login("qurim", "private"));
    const Sent sent = SentRequests(program);
    ASSERT_GE(sent.size(), order.size());
    EXPECT_EQ(Sent(sent.begin(), sent.begin() + static_cast<std::ptrdiff_t>(order.size())), order);
}

// The NE record, its communities, its users, its alarm definitions, the alarm synchronisation and its boards.
TEST(DirectLoginE2eTest, TheLoginAsksTheNeInItsOrder)
{
    ExpectLoginOrder("", Sent{{1, 30}, {1, 307}, {1, 316}, {1, 327}, {2, 332}, {1, 323}});
}

// With the clock kept in step, the NE's clock is read and set after its users, before its alarm definitions.
TEST(DirectLoginE2eTest, TheLoginSetsTheNeClockAfterItsUsers)
{
    ExpectLoginOrder("[SYSTEM]\nSYNCNETIMEAFTERLOGIN=1\nSYNCNETIMEMAXYEAR=2000\n",
                     Sent{{1, 30}, {1, 307}, {1, 316}, {1, 300}, {2, 300}, {1, 327}, {2, 332}, {1, 323}});
}

} // namespace
