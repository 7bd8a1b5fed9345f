// The login dialog of the running program as the operator meets it again after a refused logon: as it was, at its
// size, however often that happens.

#include "tests/e2e/support/e2e_harness.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(LoginDialogTest, TheDialogComesBackAtItsSizeAfterARefusedLogon)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    std::vector<QSize> sizes;
    const auto attempt = [&](const char* password) {
        return [&sizes, password](CLoginDlg& dialog) {
            sizes.push_back(dialog.size());
            app_test::TypeLogin(dialog, {.user = "admin", .password = password});
            e2e::Click(dialog, CLoginDlg::kLoginButtonId);
        };
    };
    program.Operator().PushLogin(attempt("wrong"));
    program.Operator().PushLogin(attempt("wrong"));
    program.Operator().PushLogin(attempt("admin"));
    ASSERT_TRUE(program.Start());
    ASSERT_EQ(sizes.size(), 3u);
    EXPECT_EQ(sizes[1], sizes[0]);
    EXPECT_EQ(sizes[2], sizes[0]);
}

// A port above 65535 goes on to the connect, which fails: the dialog shows again with the address typed and the
// configured port, and the operator logs in from it.
TEST(LoginDialogTest, APortAbove65535FailsAsAnUnreachableServerAndTheDialogShowsAgain)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    bool shownAgain = false;
    program.Operator().PushLogin([&](CLoginDlg& dialog) {
        const QString configured = dialog.GetDlgItemAs<QLineEdit>(CLoginDlg::kPortId)->text();
        app_test::TypeLogin(dialog, {.user = "admin", .password = "admin"});
        dialog.GetDlgItemAs<QLineEdit>(CLoginDlg::kPortId)->setText(QStringLiteral("70000"));
        e2e::Click(dialog, CLoginDlg::kLoginButtonId);
        shownAgain = dialog.isVisible() && !dialog.IsEnded();
        EXPECT_EQ(e2e::MessageLine(dialog), QStringLiteral("Server unreachable or no response"));
        EXPECT_EQ(dialog.GetDlgItemAs<QLineEdit>(CLoginDlg::kPortId)->text(), configured);
        EXPECT_TRUE(e2e::CProgram::SaveScreenshot(dialog, QStringLiteral("login_port_70000")));
        e2e::Click(dialog, CLoginDlg::kLoginButtonId);
    });
    ASSERT_TRUE(program.Start());
    EXPECT_TRUE(shownAgain);
    EXPECT_EQ(program.Operator().loginRuns, 1);
}

// The NE's account names are longer than the server's: in direct mode the user name takes 16 characters, in server
// mode 10.
TEST(LoginDialogTest, TheUserNameTakesSixteenCharactersInDirectModeAndTenInServerMode)
{
    for (const bool direct : {true, false}) {
        SCOPED_TRACE(direct);
        e2e::CProgram program;
        ASSERT_TRUE(direct ? program.StartAgent() : program.StartServer());
        QString typed;
        program.Operator().PushLogin([&typed, direct](CLoginDlg& dialog) {
            auto* user = dialog.GetDlgItemAs<QLineEdit>(CLoginDlg::kUserNameId);
            user->clear();
            QTest::keyClicks(user, QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
            typed = user->text();
            app_test::TypeLogin(dialog, {.user = direct ? "qurim" : "admin", .password = direct ? "private" : "admin"});
            e2e::Click(dialog, CLoginDlg::kLoginButtonId);
        });
        ASSERT_TRUE(program.Start());
        EXPECT_EQ(typed, QStringLiteral("abcdefghijklmnopqrstuvwxyz").left(direct ? 16 : 10));
    }
}

} // namespace
