// The operator's logins against the simulated management server in the running program: a wrong password and the
// dialog again, the tables, role and scope of each operator, the login keys written back, Logout answered No and
// Yes, Exit; and the alarms the server raises reaching the trap log and the model.

#include "tests/e2e/support/e2e_harness.h"

#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/ne_table.h"
#include "core/tables/trap_log_ring.h"
#include "link/driver_mode.h"
#include "ui/shell/app/ems_app.h"
#include "ui/shell/frame/main_frame.h"

#include <gtest/gtest.h>

namespace {

using app_test::ReadText;

TEST(LoginE2eTest, OperatorsLogInAndOutAndExit)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    program.Operator().PushLogin(app_test::LoginInput{.user = "manager", .password = "wrong"});
    ASSERT_TRUE(program.Login("manager", "manager"));
    ASSERT_EQ(program.Operator().boxTexts.size(), 1u);
    EXPECT_TRUE(program.Operator().boxTexts[0].startsWith(QStringLiteral("Failed to login")));
    EXPECT_EQ(program.Operator().loginRuns, 2);
    EXPECT_EQ(AppData().role, kRoleManager);
    EXPECT_EQ(AppData().scopeLocationId, 1u);
    EXPECT_EQ(AppData().accounts.Count(), 3u);
    EXPECT_NE(AppData().locations.FindLocation(2), nullptr);
    EXPECT_EQ(CheckUserRight(kRoleManager, 0, 'm'), 1);
    EXPECT_EQ(CheckUserRight(kRoleManager, 25, 'm'), 0);
    const size_t nes = AppData().nes.Count();
    ASSERT_GT(nes, 0u);
    std::string ini = ReadText(program.WorkDir().Ini());
    EXPECT_NE(ini.find("SERVERPORT=" + std::to_string(program.PeerPort())), std::string::npos);
    EXPECT_NE(ini.find("USERNAME=manager"), std::string::npos);

    // Logout answered No changes nothing.
    program.Operator().AnswerBox(IDNO);
    ASSERT_TRUE(program.Command(CEmsApp::kCmdLogout));
    EXPECT_TRUE(program.Frame().isVisible());
    EXPECT_EQ(GetDriverMode(), kDriverModeServer);

    program.Operator().AnswerBox(IDYES);
    program.Operator().PushLogin(app_test::LoginInput{.user = "north", .password = "north"});
    ASSERT_TRUE(program.Command(CEmsApp::kCmdLogout));
    EXPECT_TRUE(program.WaitUntil([&] { return program.Frame().isVisible(); }));
    EXPECT_EQ(AppData().GetLoginUserName(), "north");
    EXPECT_EQ(AppData().role, kRoleUser);
    EXPECT_EQ(AppData().scopeLocationId, 2u);
    EXPECT_EQ(AppData().nes.Count(), nes);
    EXPECT_NE(ReadText(program.WorkDir().Ini()).find("USERNAME=north"), std::string::npos);

    program.Operator().AnswerBox(IDYES);
    ASSERT_TRUE(program.Command(CEmsApp::kCmdExit));
    EXPECT_TRUE(program.WaitUntil([&] { return program.App().GetExitFlag() && !program.Frame().isVisible(); }));
    EXPECT_EQ(program.Operator().LastBoxText(), QStringLiteral("Are you sure to exit?"));
    EXPECT_EQ(GetDriverMode(), kDriverModeBase);
}

TEST(LoginE2eTest, RaisedAndClearedAlarmsReachTheTrapLogAndTheModel)
{
    e2e::CProgram program;
    e2e::PeerOptions alarms;
    alarms.args = {"--alarm-rate", "50"};
    ASSERT_TRUE(program.StartServer(alarms));
    ASSERT_TRUE(program.Login("admin", "admin"));
    auto anyNeAlarmed = [] {
        for (const CNeRecord* ne = ResolveNeRecord(nullptr); ne != nullptr; ne = ne->GetNext()) {
            if (ne->root != nullptr && CEntityNode::GetSummarySeverityById(ne, 1) != 0)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(program.WaitUntil([&] { return AppTrapLog().GetCount() >= 20 && anyNeAlarmed(); }, 20000));

    // Records come out oldest first with rising sequence numbers: nothing lost, nothing reordered.
    TrapLogRecord record;
    ASSERT_NE(AppTrapLog().GetFirstTrapLogRecord(&record), 0u);
    uint32_t previous = record.sequence;
    for (uint32_t walked = 1; walked <= AppTrapLog().GetCapacity() && AppTrapLog().GetNextTrapLogRecord(&record) != 0;
         ++walked) {
        EXPECT_EQ(record.sequence, previous + 1);
        previous = record.sequence;
    }
}

} // namespace
