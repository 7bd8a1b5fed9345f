// The server-mode login and forced logout through the application object against a small scripted server: a
// connection that drops while the tables load, and a forced logout during a request. The login itself is tested end to
// end (tests/e2e/login_e2e_test.cpp).

#include "tests/link/fake_server.h"
#include "tests/ui/shell/app/app_test_support.h"

#include "link/driver_result.h"
#include "link/record_requests.h"
#include "link/records/location_record.h"
#include "link/records/operator_mail_record.h"
#include "link/records/user_account_record.h"
#include "ui/shell/app/app_dispatch_ui.h"
#include "ui/shell/app/ems_app.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using namespace app_test;

// A request no other part of the program sends, so that the scripted server holds its reply alone.
constexpr RequestCode<NoRecord> kUnknownCode{99};

class LoginServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadProgramStrings();
        ResetProgramState();
        dir_.CopyDefinitionFiles();
    }
    void TearDown() override
    {
        SetIncomingMailHandler({});
        ResetProgramState();
    }

    void WriteServerIni(uint16_t port, const std::string& user)
    {
        dir_.WriteIni("[SYSTEM]\nSERVERIP=127.0.0.1\nDIRECTCONTROL=0\nUSERNAME=" + user + "\n[LINK]\nSERVERPORT=" +
                      std::to_string(port) + "\nSERVERTRAPPORT=" + std::to_string(FreeUdpPort()) + "\n");
    }

    // Start-up with one login script, up to the main frame.
    bool Start(CEmsApp& app, const LoginInput& input)
    {
        app.SetMainFrameFactory(FakeFrameFactory(&frame_));
        runner_.PushLogin(input);
        return app.InitInstance();
    }

    static std::vector<uint16_t> Codes(const CFakeServer& server)
    {
        std::vector<uint16_t> codes;
        for (const Frame& frame : server.Received()) {
            if (frame.header.requestCode != kReqKeepAlive)
                codes.push_back(frame.header.requestCode);
        }
        return codes;
    }

    static bool AllRightsCleared()
    {
        for (int role = 0; role < kRightsRoleCount; ++role) {
            const RightsTable* table = GetRightsTable(role);
            for (size_t i = 0; i + 1 < table->size(); ++i) {
                if ((*table)[i] != '-')
                    return false;
            }
        }
        return true;
    }

    CWorkDir dir_;
    CAppRunner runner_;
    ScriptedMessageBoxes plainBoxes_;
    CFakeFrame* frame_ = nullptr;
};

// A server that answers the locations and accounts queries with one record each and every other request empty.
void AnswerWithOneLocationAndAccount(const Frame& request, CFakeServer& server)
{
    if (request.header.requestCode == kReqLocation) {
        LocationRecord location;
        location.id = 4;
        location.name = "Depot";
        const auto bytes = EncodeRecord(location);
        server.Reply(request, {bytes.begin(), bytes.end()}, 1, kLocationRecordSize);
        return;
    }
    if (request.header.requestCode == kReqUserAccount) {
        UserAccountRecord account;
        account.name = "admin";
        account.locationId = 4;
        account.roleLetter = "A";
        const auto bytes = EncodeRecord(account);
        server.Reply(request, {bytes.begin(), bytes.end()}, 1, kUserAccountRecordSize);
        return;
    }
    server.Reply(request, {}, 0, 0);
}

TEST_F(LoginServerTest, AConnectionDroppedWhileTheTablesLoadLeavesNothingLoaded)
{
    CFakeServer server;
    server.SetHandler([](const Frame& request, CFakeServer& s) {
        if (request.header.requestCode == kReqNeKeyAll) {
            s.CloseClient();
            return;
        }
        AnswerWithOneLocationAndAccount(request, s);
    });
    WriteServerIni(server.Port(), "admin");
    CEmsApp app;
    bool clearedOnRetry = false;
    app.SetMainFrameFactory(FakeFrameFactory(&frame_));
    runner_.PushLogin(LoginInput{.password = "pw"});
    runner_.PushLogin([&](CLoginDlg& dialog) {
        clearedOnRetry = AppData().accounts.Count() == 0 && AppData().role == kRoleNone && AllRightsCleared() &&
                         GetDriverMode() == kDriverModeBase;
        // The address and user stay as they were typed.
        EXPECT_EQ(dialog.GetDlgItemAs<QLineEdit>(CLoginDlg::kUserNameId)->text(), QStringLiteral("admin"));
    });
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(runner_.loginRuns, 2);
    EXPECT_TRUE(clearedOnRetry);
    ASSERT_EQ(runner_.boxTexts.size(), 1u);
    EXPECT_TRUE(runner_.boxTexts[0].startsWith(QStringLiteral("Failed to login")));
    EXPECT_TRUE(runner_.boxTexts[0].contains(QString::number(kDrvConnectionClosed)) ||
                runner_.boxTexts[0].contains(QString::number(kDrvNotConnected)));
    app.ExitInstance();
}

TEST_F(LoginServerTest, ForcedLogoutWaitsForTheRequestInProgressThenEndsTheProgram)
{
    CFakeServer server;
    std::atomic<bool> holdReply{false};
    std::atomic<bool> releaseReply{false};
    server.SetHandler([&](const Frame& request, CFakeServer& s) {
        if (request.header.requestCode == kUnknownCode && holdReply) {
            s.Defer([&s, request, &releaseReply] {
                while (!releaseReply)
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
                s.Reply(request, {}, 0, 0);
            });
            return;
        }
        s.Reply(request, {}, 0, 0);
    });
    WriteServerIni(server.Port(), "admin");
    std::vector<OperatorMailNotice> mails;
    SetIncomingMailHandler([&](const OperatorMailNotice& mail) { mails.push_back(mail); });
    CEmsApp app;
    ASSERT_TRUE(Start(app, LoginInput{.password = "pw"}));
    // The login: the logon (11), then the locations (20), the accounts (10), the rights (15), the NEs (33), request
    // 34, and notifications on (334), in this order.
    const std::vector<uint16_t> login = {11, 20, 10, 15, 33, 34, 334};
    const std::vector<uint16_t> sent = Codes(server);
    ASSERT_GE(sent.size(), login.size());
    EXPECT_EQ(std::vector<uint16_t>(sent.begin(), sent.begin() + static_cast<std::ptrdiff_t>(login.size())), login);

    // The server's mail with the force-logout marker.
    OperatorMailRecord mail;
    mail.sender = "root";
    mail.senderIp = {10, 0, 0, 9};
    mail.addressee = "admin";
    mail.text = std::string(ForceLogoutMarker);
    const auto mailBytes = EncodeRecord(mail);
    FrameHeader header;
    header.operation = kEmsOpReply;
    header.requestCode = kReqOperatorMail;
    header.count = header.total = 1;
    header.recordSize = kOperatorMailRecordSize;
    server.SendFrame(header, {mailBytes.begin(), mailBytes.end()});
    ASSERT_TRUE(PumpUntil([&] { return !frame_->logoutTimers.empty(); }));
    EXPECT_EQ(frame_->logoutTimers, (std::vector<uint32_t>{10000}));
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_TRUE(mails[0].forcedLogout);
    EXPECT_EQ(IncomingMailText(mails[0]), QStringLiteral("You will be logged out in 10 seconds"));

    // A request in progress defers the logout to the next tick.
    holdReply = true;
    std::thread request([] { CRecordRequests().Query(kUnknownCode, 0, {.waitDialog = false}); });
    ASSERT_TRUE(WaitUntil([] { return GetCurrentDriver().IsInTransaction(); }));
    EXPECT_FALSE(app.OnForcedLogoutTimer());
    EXPECT_FALSE(app.GetExitFlag());
    EXPECT_EQ(GetDriverMode(), kDriverModeServer);
    releaseReply = true;
    request.join();

    EXPECT_TRUE(app.OnForcedLogoutTimer());
    EXPECT_TRUE(app.GetExitFlag());
    EXPECT_EQ(GetDriverMode(), kDriverModeBase);
    EXPECT_EQ(Codes(server).back(), kReqLogoff);
    EXPECT_TRUE(PumpUntil([&] { return frame_->window.closes > 0; }));
    // No question was asked.
    EXPECT_TRUE(runner_.boxTexts.empty());
    app.ExitInstance();
}

} // namespace
