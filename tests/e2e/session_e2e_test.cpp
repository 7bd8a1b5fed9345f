// The operator's session in the running program: log in to each simulated peer, log out from the menu, log in again,
// and the main window is there each time, with the NE chosen before (in direct mode, the NE itself from the start).

#include "tests/e2e/support/e2e_harness.h"

#include "core/tables/app_data.h"
#include "ui/shell/app/ems_app.h"
#include "ui/shell/frame/frame_dialog_bar.h"
#include "ui/shell/frame/main_frame.h"

#include <QTabBar>

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

QStringList TabTexts(CMainFrame& frame)
{
    QStringList texts;
    for (int i = 0; i < frame.DialogBar()->Tabs()->count(); ++i)
        texts << frame.DialogBar()->Tabs()->tabText(i);
    return texts;
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
    CMainFrame& frame = program.Frame();
    if (c.direct) {
        // The NE of a direct login is selected at once, with its menus and its panel.
        EXPECT_TRUE(program.WaitUntil([&] { return frame.GetCurrentNeId() == 1; }));
        EXPECT_EQ(frame.GetMainMenuCase(), 1) << "the menu of the direct mode's NE";
    } else {
        program.ClickTreeItem(program.TreeItem(QStringLiteral("North-1")));
    }
    const uint32_t ne = frame.GetCurrentNeId();
    ASSERT_NE(ne, 0u);
    EXPECT_TRUE(TabTexts(frame).contains(QStringLiteral("Rack")));
    EXPECT_TRUE(e2e::CProgram::SaveScreenshot(frame, QStringLiteral("session_first_login_") + c.name));

    program.Operator().AnswerBox(IDYES); // "Are you sure to logout?"
    program.Operator().PushLogin(app_test::LoginInput{.user = c.user, .password = c.password});
    ASSERT_TRUE(program.Command(CEmsApp::kCmdLogout));
    EXPECT_EQ(program.Operator().LastBoxText(), QStringLiteral("Are you sure to logout?"));
    EXPECT_EQ(program.Operator().loginRuns, 2);
    EXPECT_TRUE(program.WaitUntil([&] { return program.Frame().isVisible(); }));
    EXPECT_EQ(AppData().nes.Count(), nes);
    EXPECT_FALSE(program.App().GetExitFlag());
    // The NE chosen before is chosen again, with its Rack.
    EXPECT_TRUE(program.WaitUntil([&] { return frame.GetCurrentNeId() == ne && TabTexts(frame).contains("Rack"); }));
}

INSTANTIATE_TEST_SUITE_P(BothModes, SessionTest,
                         ::testing::Values(SessionCase{"Server", false, "admin", "admin"},
                                           SessionCase{"Direct", true, "qurim", "private"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
