// The login dialog on its own: the mode switch, the edit limits, and what Login does with a blank address, an address
// that does not answer the ping and a server that refuses the connection. A server that takes it is the login's
// end-to-end test.

#include "tests/link/fake_server.h"
#include "tests/link/snmp_test_support.h"
#include "tests/ui/shell/app/app_test_support.h"

#include "link/driver_mode.h"
#include "link/icmp/icmp_transport.h"
#include "link/snmp/net_drv_snmp_agent.h"
#include "ui/shell/app/login_dlg.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

using namespace app_test;

// A network where echo requests get no answer; its clock jumps to each deadline instead of waiting.
class CSilentNetwork : public IcmpTransport {
public:
    explicit CSilentNetwork(int* sent) : sent_(sent) {}
    int SendEcho(const PingAddress&, const IcmpEchoOptions&, uint16_t, std::span<const uint8_t>) override
    {
        ++*sent_;
        return 0;
    }
    std::optional<IcmpReply> AwaitReply(uint16_t, uint64_t deadlineMs) override
    {
        now_ = std::max(now_, deadlineMs);
        return std::nullopt;
    }
    uint64_t NowMs() const override { return now_; }

private:
    int* sent_;
    uint64_t now_ = 1000;
};

class LoginDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadProgramStrings();
        ResetProgramState();
        AppSettings().serverPort = 19460;
        AppSettings().snmpPort = 1161;
    }
    void TearDown() override
    {
        SetIcmpTransportOpener({});
        ResetProgramState();
    }

    void UseSilentNetwork()
    {
        SetIcmpTransportOpener([this](std::string*) { return std::make_unique<CSilentNetwork>(&echoes_); });
    }

    static QString Text(CLoginDlg& dialog, int id) { return dialog.GetDlgItemAs<QLineEdit>(id)->text(); }
    static void ClickLogin(CLoginDlg& dialog) { dialog.OnCommand(CLoginDlg::kLoginButtonId, BN_CLICKED); }

    int echoes_ = 0;
    CAppRunner runner_;
};

TEST_F(LoginDialogTest, TheCheckBoxSwapsThePortAndTheServerModeAloneMayEditIt)
{
    CLoginDlg dialog;
    dialog.userName = "oper";
    dialog.address = {10, 1, 1, 1};
    ASSERT_TRUE(dialog.Create());
    std::array<uint8_t, 4> shown{};
    dialog.GetDlgItemAs<IpAddressEdit>(CLoginDlg::kAddressId)->GetAddress(shown);
    EXPECT_EQ(shown, (IpAddress{10, 1, 1, 1}));
    auto* check = dialog.GetDlgItemAs<QCheckBox>(CLoginDlg::kDirectCheckId);
    for (const bool direct : {false, true, false}) {
        SCOPED_TRACE(direct);
        if (check->isChecked() != direct)
            check->click();
        EXPECT_EQ(dialog.direct, direct ? 1 : 0);
        EXPECT_EQ(Text(dialog, CLoginDlg::kPortId), QString::fromLatin1(direct ? "1161" : "19460"));
        EXPECT_EQ(dialog.IsControlEnabled(CLoginDlg::kPortId), !direct);
        EXPECT_EQ(Text(dialog, CLoginDlg::kUserNameId), QStringLiteral("oper"));
    }
    dialog.DestroyWindow();
}

TEST_F(LoginDialogTest, EditLimitsFollowTheModeTheDialogOpensIn)
{
    struct Row {
        int direct;
        int userMax;
        int passwordMax;
    };
    for (const Row& row : {Row{0, 10, 10}, Row{1, 16, 16}}) {
        SCOPED_TRACE(row.direct);
        CLoginDlg dialog;
        dialog.direct = row.direct;
        ASSERT_TRUE(dialog.Create());
        auto* user = dialog.GetDlgItemAs<QLineEdit>(CLoginDlg::kUserNameId);
        auto* password = dialog.GetDlgItemAs<QLineEdit>(CLoginDlg::kPasswordId);
        EXPECT_EQ(user->maxLength(), row.userMax);
        EXPECT_EQ(password->maxLength(), row.passwordMax);
        // The limits stay as set when the dialog opened.
        dialog.GetDlgItemAs<QCheckBox>(CLoginDlg::kDirectCheckId)->click();
        EXPECT_EQ(password->maxLength(), row.passwordMax);
        EXPECT_EQ(user->maxLength(), row.userMax);
        password->setText(QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
        EXPECT_EQ(password->text().size(), row.passwordMax);
        user->setText(QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
        EXPECT_EQ(user->text().size(), row.userMax);
        dialog.DestroyWindow();
    }
}

TEST_F(LoginDialogTest, ABlankAddressIsRefusedBeforeAnyPing)
{
    UseSilentNetwork();
    CLoginDlg dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.show();
    ASSERT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
    dialog.GetDlgItemAs<IpAddressEdit>(CLoginDlg::kAddressId)->ClearAddress();
    ClickLogin(dialog);
    EXPECT_EQ(dialog.GetMessageText(), QStringLiteral("incorrect IP address"));
    EXPECT_EQ(dialog.GetMarkedControl(1), CLoginDlg::kAddressId);
    EXPECT_FALSE(dialog.IsEnded());
    EXPECT_EQ(echoes_, 0);
    EXPECT_EQ(GetDriverMode(), kDriverModeBase);
    dialog.DestroyWindow();
}

TEST_F(LoginDialogTest, APortTheLinkCannotUseIsRefused)
{
    UseSilentNetwork();
    for (const char* port : {"0", "", "70000"}) {
        SCOPED_TRACE(port);
        CLoginDlg dialog;
        dialog.address = kLoopback;
        ASSERT_TRUE(dialog.Create());
        dialog.GetDlgItemAs<QLineEdit>(CLoginDlg::kPortId)->setText(QString::fromLatin1(port));
        ClickLogin(dialog);
        EXPECT_FALSE(dialog.IsEnded());
        EXPECT_EQ(echoes_, 0);
        dialog.DestroyWindow();
    }
}

TEST_F(LoginDialogTest, NoPingReplyAlertsAndStaysWithTheBaseDriver)
{
    UseSilentNetwork();
    CLoginDlg dialog;
    dialog.address = {192, 0, 2, 1};
    ASSERT_TRUE(dialog.Create());
    dialog.show();
    ASSERT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
    ClickLogin(dialog);
    EXPECT_EQ(echoes_, 1);
    EXPECT_EQ(dialog.GetMessageText(), QStringLiteral("Server unreachable or no response"));
    EXPECT_FALSE(dialog.IsEnded());
    EXPECT_EQ(GetDriverMode(), kDriverModeBase);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    dialog.DestroyWindow();
}

TEST_F(LoginDialogTest, ARefusedConnectionReturnsToTheBaseDriverAndKeepsTheAddress)
{
    // A port nobody listens on: bound, then closed.
    uint16_t closedPort = 0;
    {
        CFakeServer server;
        closedPort = server.Port();
    }
    CLoginDlg dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.show();
    ASSERT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
    TypeLogin(dialog, LoginInput{.address = kLoopback, .port = closedPort, .user = "admin", .password = "pw"});
    ClickLogin(dialog);
    EXPECT_EQ(dialog.GetMessageText(), QStringLiteral("Server unreachable or no response"));
    EXPECT_FALSE(dialog.IsEnded());
    EXPECT_FALSE(CLoginDlg::IsConnectInProgress());
    EXPECT_TRUE(dialog.isEnabled());
    EXPECT_EQ(GetDriverMode(), kDriverModeBase);
    std::array<uint8_t, 4> shown{};
    dialog.GetDlgItemAs<IpAddressEdit>(CLoginDlg::kAddressId)->GetAddress(shown);
    EXPECT_EQ(shown, kLoopback);
    EXPECT_EQ(dialog.port, closedPort);
    dialog.DestroyWindow();
}

TEST_F(LoginDialogTest, AnNeWhoseAnswersCannotBeReadIsNotCalledUnreachable)
{
    // An NE that answers every request with bytes that are no SNMP message.
    snmp_test::CScriptedResponder ne([](const SnmpMessage&) -> std::optional<SnmpMessage> { return std::nullopt; });
    ne.SetPrelude([](const SnmpMessage&) { return std::vector<std::vector<uint8_t>>{{0x30, 0x03, 0x02, 0x01}}; });
    AppSettings().snmpWait = 200;
    AppSettings().snmpRetry = 0;
    RegisterSnmpDriver();
    CLoginDlg dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.show();
    ASSERT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
    TypeLogin(dialog,
              LoginInput{.address = kLoopback, .port = ne.Endpoint().port, .password = "public", .direct = true});
    ClickLogin(dialog);
    EXPECT_EQ(dialog.GetMessageText(), QStringLiteral("(32027) SNMP decode error"));
    EXPECT_FALSE(dialog.IsEnded());
    EXPECT_EQ(GetDriverMode(), kDriverModeBase);
    dialog.DestroyWindow();
}

} // namespace
