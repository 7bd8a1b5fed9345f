// The operator's session in the running program: log in to each simulated peer, log out from the menu, log in again,
// and the main window is there each time.

#include "tests/e2e/support/e2e_harness.h"

#include "core/tables/app_data.h"
#include "ui/shell/app/ems_app.h"
#include "ui/shell/frame/main_frame.h"

#include <gtest/gtest.h>

namespace {

struct SessionCase {
    const char* name;
    bool direct;
    const char* user;
    const char* password;
};

void PrintTo(const SessionCase& c, std::ostream* os)
{
    *os << c.name;
}

class SessionTest : public ::testing::TestWithParam<SessionCase> {};

TEST_P(SessionTest, LogoutAndLoginAgainShowsTheMainWindow)
{
    const SessionCase& c = GetParam();
    e2e::CProgram program;
    ASSERT_TRUE(c.direct ? program.StartAgent() : program.StartServer());
    ASSERT_TRUE(program.Login(c.user, c.password));
    EXPECT_TRUE(program.Frame().isVisible());
    const size_t nes = AppData().nes.Count();
    ASSERT_GT(nes, 0u);

    program.Operator().AnswerBox(IDYES); // "Are you sure to logout?"
    program.Operator().PushLogin(app_test::LoginInput{.user = c.user, .password = c.password});
    ASSERT_TRUE(program.Command(CEmsApp::kCmdLogout));
    EXPECT_EQ(program.Operator().boxTexts.back(), QStringLiteral("Are you sure to logout?"));
    EXPECT_EQ(program.Operator().loginRuns, 2);
    EXPECT_TRUE(program.WaitUntil([&] { return program.Frame().isVisible(); }));
    EXPECT_EQ(AppData().nes.Count(), nes);
    EXPECT_FALSE(program.App().GetExitFlag());
}

INSTANTIATE_TEST_SUITE_P(BothModes, SessionTest,
                         ::testing::Values(SessionCase{"Server", false, "admin", "admin"},
                                           SessionCase{"Direct", true, "qurim", "private"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
