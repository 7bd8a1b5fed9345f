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
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using namespace app_test;

// What the login's ping asked of the network: its echo's data bytes, TTL, type of service and fragmentation, and how
// long it waited for the answer.
struct SentEcho {
    size_t dataBytes = 0;
    int ttl = -1;
    int tos = -1;
    bool dontFragment = true;
    uint64_t waitMs = 0;
};

// A network where echo requests get no answer; its clock jumps to each deadline instead of waiting.
class CSilentNetwork : public IcmpTransport {
public:
    CSilentNetwork(int* sent, SentEcho* echo) : sent_(sent), echo_(echo) {}
    int SendEcho(const PingAddress&, const IcmpEchoOptions& options, uint16_t, std::span<const uint8_t> data) override
    {
        ++*sent_;
        *echo_ = {data.size(), options.ttl, options.tos, options.dontFragment, 0};
        sentAt_ = now_;
        return 0;
    }
    std::optional<IcmpReply> AwaitReply(uint16_t, uint64_t deadlineMs) override
    {
        echo_->waitMs = deadlineMs - sentAt_;
        now_ = std::max(now_, deadlineMs);
        return std::nullopt;
    }
    uint64_t NowMs() const override { return now_; }

private:
    int* sent_;
    SentEcho* echo_;
    uint64_t now_ = 1000;
    uint64_t sentAt_ = 0;
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
        SetIcmpTransportOpener([this](std::string*) { return std::make_unique<CSilentNetwork>(&echoes_, &echo_); });
    }

    static QString Text(CLoginDlg& dialog, int id) { return dialog.GetDlgItemAs<QLineEdit>(id)->text(); }
    static void ClickLogin(CLoginDlg& dialog) { dialog.OnCommand(CLoginDlg::kLoginButtonId, BN_CLICKED); }

    int echoes_ = 0;
    SentEcho echo_;
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
        EXPECT_EQ(dialog.GetDlgItemAs<QLabel>(CLoginDlg::kAddressLabelId)->text(),
                  QString::fromLatin1(direct ? "NE IP" : "Server IP"));
        EXPECT_EQ(dialog.GetDlgItemAs<QLabel>(CLoginDlg::kPasswordLabelId)->text(),
                  QString::fromLatin1(direct ? "SNMP Community" : "Password"));
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

// The caption is "Login", a blank and the application's title: SYSTEM/APPNAME when it is set, else "Tarvik".
TEST_F(LoginDialogTest, TheCaptionIsLoginAndTheApplicationTitle)
{
    const std::pair<const char*, const char*> rows[] = {{"", "Login Tarvik"}, {"Acme NMS", "Login Acme NMS"}};
    for (const auto& [appName, caption] : rows) {
        AppSettings().appName = appName;
        CLoginDlg dialog;
        ASSERT_TRUE(dialog.Create());
        EXPECT_EQ(dialog.windowTitle(), QString::fromLatin1(caption)) << appName;
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

// The port is taken as any unsigned number: one outside 1..65535 goes on to the ping (and the connect), only a port
// that is no number stops before it.
TEST_F(LoginDialogTest, OnlyAPortThatIsNoNumberStopsBeforeThePing)
{
    UseSilentNetwork();
    struct Row {
        const char* port;
        int echoes;
    };
    for (const Row& row :
         {Row{"", 0}, Row{"abc", 0}, Row{"0", 1}, Row{"1", 1}, Row{"65535", 1}, Row{"65536", 1}, Row{"70000", 1}}) {
        SCOPED_TRACE(row.port);
        echoes_ = 0;
        CLoginDlg dialog;
        dialog.address = kLoopback;
        ASSERT_TRUE(dialog.Create());
        dialog.show();
        // The operator works the dialog once it is on screen; a dialog that never comes up is left at once.
        if (!PumpUntil([&] { return dialog.IsFirstShowDone(); })) {
            ADD_FAILURE() << "the dialog did not come up";
            dialog.OnCommand(IDCANCEL, BN_CLICKED);
            return;
        }
        dialog.GetDlgItemAs<QLineEdit>(CLoginDlg::kPortId)->setText(QString::fromLatin1(row.port));
        ClickLogin(dialog);
        EXPECT_FALSE(dialog.IsEnded());
        EXPECT_EQ(echoes_, row.echoes);
        EXPECT_EQ(dialog.GetMessageText(),
                  row.echoes != 0 ? QStringLiteral("Server unreachable or no response") : QString());
        dialog.DestroyWindow();
    }
}

// 65535 is the last port the connect goes to; a port above it is no port: the connect fails, and never goes to the
// port of its low 16 bits (131071 would be 65535).
TEST_F(LoginDialogTest, TheConnectGoesToPort65535AndNeverToAPortCutTo16Bits)
{
    CFakeServer server(65535);
    if (server.Port() != 65535)
        GTEST_SKIP() << "port 65535 of the loopback is taken on this machine";
    struct Row {
        const char* port;
        int accepted;
    };
    for (const Row& row : {Row{"131071", 0}, Row{"65535", 1}}) {
        SCOPED_TRACE(row.port);
        CLoginDlg dialog;
        ASSERT_TRUE(dialog.Create());
        dialog.show();
        ASSERT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
        TypeLogin(dialog, LoginInput{.address = kLoopback, .user = "admin", .password = "pw"});
        dialog.GetDlgItemAs<QLineEdit>(CLoginDlg::kPortId)->setText(QString::fromLatin1(row.port));
        ClickLogin(dialog);
        // The server takes the connection on a thread of its own, maybe after the click has returned.
        if (row.accepted != 0)
            PumpUntil([&] { return server.Accepted() == row.accepted; });
        EXPECT_EQ(server.Accepted(), row.accepted);
        if (row.accepted == 0) {
            EXPECT_FALSE(dialog.IsEnded());
            EXPECT_EQ(dialog.GetMessageText(), QStringLiteral("Server unreachable or no response"));
            EXPECT_EQ(GetDriverMode(), kDriverModeBase);
        }
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
    // One echo of 64 data bytes, TTL 255, type of service 0, fragmentation allowed, answered within 2000 ms.
    EXPECT_EQ(echo_.dataBytes, 64u);
    EXPECT_EQ(echo_.ttl, 255);
    EXPECT_EQ(echo_.tos, 0);
    EXPECT_FALSE(echo_.dontFragment);
    EXPECT_EQ(echo_.waitMs, 2000u);
    EXPECT_EQ(dialog.GetMessageText(), QStringLiteral("Server unreachable or no response"));
    EXPECT_FALSE(dialog.IsEnded());
    EXPECT_EQ(GetDriverMode(), kDriverModeBase);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    dialog.DestroyWindow();
}

// A port nobody listens on: bound, then closed.
uint16_t ClosedPort()
{
    CFakeServer server;
    return server.Port();
}

// Counts the times a window hides and shows.
class CShowCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        hides += event->type() == QEvent::Hide ? 1 : 0;
        shows += event->type() == QEvent::Show ? 1 : 0;
        return false;
    }
    int hides = 0;
    int shows = 0;
};

// The dialog hides while it connects; shown again, its data load has run again: the address typed stays, the port is
// the configured one again.
TEST_F(LoginDialogTest, ARefusedConnectionHidesAndShowsTheDialogAgainWithTheAddressTyped)
{
    CLoginDlg dialog;
    dialog.address = {10, 9, 8, 7};
    ASSERT_TRUE(dialog.Create());
    dialog.show();
    ASSERT_TRUE(PumpUntil([&] { return dialog.IsFirstShowDone(); }));
    TypeLogin(dialog, LoginInput{.address = kLoopback, .port = ClosedPort(), .user = "admin", .password = "pw"});
    CShowCounter counter;
    dialog.installEventFilter(&counter);
    ClickLogin(dialog);
    EXPECT_EQ(counter.hides, 1);
    EXPECT_EQ(counter.shows, 1);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.GetMessageText(), QStringLiteral("Server unreachable or no response"));
    EXPECT_FALSE(dialog.IsEnded());
    EXPECT_FALSE(CLoginDlg::IsConnectInProgress());
    EXPECT_EQ(GetDriverMode(), kDriverModeBase);
    std::array<uint8_t, 4> shown{};
    dialog.GetDlgItemAs<IpAddressEdit>(CLoginDlg::kAddressId)->GetAddress(shown);
    EXPECT_EQ(shown, kLoopback);
    EXPECT_EQ(dialog.address, kLoopback);
    EXPECT_EQ(dialog.port, 19460U);
    EXPECT_EQ(Text(dialog, CLoginDlg::kPortId), QStringLiteral("19460"));
    EXPECT_EQ(Text(dialog, CLoginDlg::kUserNameId), QStringLiteral("admin"));
    dialog.removeEventFilter(&counter);
    dialog.DestroyWindow();
}

// In its own modal loop the dialog runs on after a refused connection, until the operator leaves it.
TEST_F(LoginDialogTest, TheModalLoopRunsOnAfterARefusedConnection)
{
    ModalRunner* scripted = SetModalRunner(nullptr);
    CLoginDlg dialog;
    bool stillOpen = false;
    QTimer::singleShot(0, &dialog, [&] {
        // The operator works the dialog once it is on screen; a dialog that never comes up is left at once.
        if (!PumpUntil([&] { return dialog.IsFirstShowDone(); })) {
            ADD_FAILURE() << "the dialog did not come up";
            dialog.OnCommand(IDCANCEL, BN_CLICKED);
            return;
        }
        TypeLogin(dialog, LoginInput{.address = kLoopback, .port = ClosedPort(), .user = "admin", .password = "pw"});
        ClickLogin(dialog);
        QTimer::singleShot(0, &dialog, [&] {
            stillOpen = dialog.isVisible() && !dialog.IsEnded();
            dialog.OnCommand(IDCANCEL, BN_CLICKED);
        });
    });
    const int result = dialog.DoModal();
    SetModalRunner(scripted);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(LoginDialogTest, AnNeWhoseAnswersCannotBeReadIsUnreachableAsAnyFailedConnect)
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
    EXPECT_EQ(dialog.GetMessageText(), QStringLiteral("Server unreachable or no response"));
    EXPECT_FALSE(dialog.IsEnded());
    EXPECT_EQ(GetDriverMode(), kDriverModeBase);
    dialog.DestroyWindow();
}

} // namespace
