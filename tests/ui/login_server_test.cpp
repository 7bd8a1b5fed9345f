// The server-mode login, logout and forced logout through the application object: against a small scripted server
// for what the wire must carry and for a connection that drops, and end to end against the simulated management
// server for the tables, the role and the location scope.

#include "tests/link/fake_server.h"
#include "tests/ui/app_test_support.h"

#include "core/tables/ne_table.h"
#include "core/tables/trap_log_ring.h"
#include "core/util/md5.h"
#include "link/driver_result.h"
#include "link/records/location_record.h"
#include "link/records/operator_mail_record.h"
#include "link/records/user_account_record.h"
#include "link/server/logon_rec.h"
#include "ui/shell/app/app_dispatch_ui.h"
#include "ui/shell/app/ems_app.h"
#include "ui/shell/frame/app_frame_host.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using namespace app_test;

const std::string kWorld = std::string(TARVIK_TEST_DATA_DIR) + "/server/sim_world.ini";

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
            if (frame.header.requestCode != kEmsReqKeepAlive)
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
    if (request.header.requestCode == 20) {
        LocationRecord location;
        location.id = 4;
        location.name = "Depot";
        const auto bytes = EncodeLocationRecord(location);
        server.Reply(request, {bytes.begin(), bytes.end()}, 1, kLocationRecordSize);
        return;
    }
    if (request.header.requestCode == 10) {
        UserAccountRecord account;
        account.name = "admin";
        account.locationId = 4;
        account.roleLetter = "A";
        const auto bytes = EncodeUserAccountRecord(account);
        server.Reply(request, {bytes.begin(), bytes.end()}, 1, kUserAccountRecordSize);
        return;
    }
    server.Reply(request, {}, 0, 0);
}

TEST_F(LoginServerTest, LogonCarriesTheNameAndTheTenDigitDigestThenTheTablesLoadInOrder)
{
    CFakeServer server;
    server.SetHandler(AnswerWithOneLocationAndAccount);
    WriteServerIni(server.Port(), "admin");
    CEmsApp app;
    ASSERT_TRUE(Start(app, LoginInput{.password = "s3cret"}));

    EXPECT_EQ(Codes(server), (std::vector<uint16_t>{11, 20, 10, 15, 33, 34, 334}));
    const std::vector<Frame> frames = server.Received();
    auto frameOf = [&](uint16_t code) {
        for (const Frame& f : frames) {
            if (f.header.requestCode == code)
                return f;
        }
        return Frame{};
    };
    const Frame logon = frameOf(11);
    EXPECT_EQ(logon.header.operation, kEmsOpModify);
    LogonRec rec;
    ASSERT_TRUE(DecodeLogonRec(logon.payload.data(), logon.payload.size(), rec));
    EXPECT_EQ(rec.userName, "admin");
    EXPECT_EQ(rec.passwordDigest, Md5HexString("s3cret").substr(0, 10));
    EXPECT_EQ(rec.passwordDigest.size(), 10u);
    EXPECT_EQ(AppData().GetLoginPassword(), rec.passwordDigest);
    EXPECT_EQ(frameOf(20).header.recordSize, 224u);
    EXPECT_EQ(frameOf(20).header.operation, kEmsOpQuery);
    const Frame notifications = frameOf(334);
    EXPECT_EQ(notifications.header.operation, kEmsOpModify);
    EXPECT_EQ(notifications.payload, (std::vector<uint8_t>{1, 0, 0, 0}));

    // The replies reached the tables, and the account's location became the scope.
    EXPECT_NE(AppData().accounts.FindUserAccount("admin"), nullptr);
    EXPECT_EQ(AppData().scopeLocationId, 4u);
    EXPECT_TRUE(GetCurrentDriver().IsLoggedIn());
    app.ExitInstance();
}

TEST_F(LoginServerTest, AConnectionDroppedWhileTheTablesLoadLeavesNothingLoaded)
{
    CFakeServer server;
    server.SetHandler([](const Frame& request, CFakeServer& s) {
        if (request.header.requestCode == 33) {
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
        if (request.header.requestCode == 99 && holdReply) {
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

    // The server's mail with the force-logout marker.
    OperatorMailRecord mail;
    mail.sender = "root";
    mail.senderIp = {10, 0, 0, 9};
    mail.addressee = "admin";
    mail.text = std::string(ForceLogoutMarker);
    const auto mailBytes = EncodeOperatorMailRecord(mail);
    FrameHeader header;
    header.operation = kEmsOpReply;
    header.requestCode = kEmsReqOperatorMail;
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
    std::thread request([] {
        const uint8_t body = 0;
        EmsMsg msg;
        BuildEmsMsg(&msg, kEmsOpQuery, 99, 1, &body, 0);
        EmsMsg* reply = nullptr;
        GetCurrentDriver().RequestEmsMsg(&msg, &reply, 0, CNetDrv::kDefaultTimeout, false);
    });
    ASSERT_TRUE(WaitUntil([] { return GetCurrentDriver().IsInTransaction(); }));
    EXPECT_FALSE(app.OnForcedLogoutTimer());
    EXPECT_FALSE(app.GetExitFlag());
    EXPECT_EQ(GetDriverMode(), kDriverModeServer);
    releaseReply = true;
    request.join();

    EXPECT_TRUE(app.OnForcedLogoutTimer());
    EXPECT_TRUE(app.GetExitFlag());
    EXPECT_EQ(GetDriverMode(), kDriverModeBase);
    EXPECT_EQ(Codes(server).back(), kEmsReqLogoff);
    EXPECT_TRUE(PumpUntil([&] { return frame_->window.closes > 0; }));
    // No question was asked.
    EXPECT_TRUE(runner_.boxTexts.empty());
    app.ExitInstance();
}

class LoginSimServerTest : public LoginServerTest {
protected:
    void SetUp() override
    {
        if (!CSimServerProcess::Exists())
            GTEST_SKIP() << "the simulated management server is not built (" << CSimServerProcess::Path() << ")";
        LoginServerTest::SetUp();
        ASSERT_TRUE(sim_.Start({"--scenario", kWorld, "--models", (kResources / "EntConf").string()}));
        WriteServerIni(sim_.Port(), "manager");
    }
    CSimServerProcess sim_;
};

TEST_F(LoginSimServerTest, LoginFillsTheTablesAndSetsRoleScopeAndWritesTheKeysBack)
{
    CEmsApp app;
    ASSERT_TRUE(Start(app, LoginInput{.password = "manager"}));
    EXPECT_EQ(AppData().accounts.Count(), 3u);
    EXPECT_NE(AppData().locations.FindLocation(2), nullptr);
    EXPECT_GT(AppData().nes.Count(), 0u);
    EXPECT_EQ(AppData().role, kRoleManager);
    EXPECT_EQ(AppData().scopeLocationId, 1u);
    EXPECT_EQ(CheckUserRight(kRoleManager, 0, 'm'), 1);
    EXPECT_EQ(CheckUserRight(kRoleManager, 25, 'm'), 0);
    EXPECT_EQ(app.GetListPopupMenuId(), 103);
    EXPECT_EQ(app.GetEntityMenuId(), 113);

    const std::string ini = ReadText(dir_.Ini());
    EXPECT_NE(ini.find("SERVERIP=127.0.0.1"), std::string::npos);
    EXPECT_NE(ini.find("DIRECTCONTROL=0"), std::string::npos);
    EXPECT_NE(ini.find("SERVERPORT=" + std::to_string(sim_.Port())), std::string::npos);
    EXPECT_NE(ini.find("USERNAME=manager"), std::string::npos);
    app.ExitInstance();
}

TEST_F(LoginSimServerTest, AWrongPasswordShowsFailedToLoginAndTheDialogAgain)
{
    CEmsApp app;
    app.SetMainFrameFactory(FakeFrameFactory(&frame_));
    runner_.PushLogin(LoginInput{.password = "wrong"});
    bool clearedOnRetry = false;
    runner_.PushLogin([&](CLoginDlg& dialog) {
        clearedOnRetry = AllRightsCleared() && AppData().role == kRoleNone && GetDriverMode() == kDriverModeBase;
        TypeLogin(dialog, LoginInput{.password = "manager"});
        dialog.GetDlgItemAs<QAbstractButton>(CLoginDlg::kLoginButtonId)->click();
    });
    ASSERT_TRUE(app.InitInstance());
    EXPECT_TRUE(clearedOnRetry);
    ASSERT_EQ(runner_.boxTexts.size(), 1u);
    EXPECT_TRUE(runner_.boxTexts[0].startsWith(QStringLiteral("Failed to login")));
    EXPECT_EQ(AppData().role, kRoleManager);
    app.ExitInstance();
}

TEST_F(LoginSimServerTest, LogoutAndLoginAsAnotherOperator)
{
    CEmsApp app;
    ASSERT_TRUE(Start(app, LoginInput{.password = "manager"}));
    const size_t nes = AppData().nes.Count();
    runner_.PushBoxAnswer(IDYES);
    runner_.PushLogin(LoginInput{.user = "north", .password = "north"});
    EXPECT_TRUE(app.OnCommand(CEmsApp::kCmdLogout));
    EXPECT_EQ(runner_.boxTexts.at(0), QStringLiteral("Are you sure to logout?"));
    EXPECT_EQ(frame_->hides, 1);
    EXPECT_EQ(frame_->timerStops, 1);
    EXPECT_EQ(frame_->initFrames, 1);
    EXPECT_FALSE(app.GetExitFlag());
    EXPECT_EQ(AppData().GetLoginUserName(), "north");
    EXPECT_EQ(AppData().role, kRoleUser);
    EXPECT_EQ(AppData().scopeLocationId, 2u);
    EXPECT_EQ(AppData().nes.Count(), nes);
    EXPECT_NE(ReadText(dir_.Ini()).find("USERNAME=north"), std::string::npos);
    app.ExitInstance();
}

TEST_F(LoginSimServerTest, LogoutAnsweredNoChangesNothingAndACancelledLoginEndsWithoutAsking)
{
    CEmsApp app;
    ASSERT_TRUE(Start(app, LoginInput{.password = "manager"}));
    runner_.PushBoxAnswer(IDNO);
    app.OnLogout();
    EXPECT_EQ(frame_->hides, 0);
    EXPECT_EQ(GetDriverMode(), kDriverModeServer);

    runner_.PushBoxAnswer(IDYES);
    app.OnLogout(); // the login dialog is left with Exit
    EXPECT_TRUE(app.GetExitFlag());
    EXPECT_EQ(AppData().nes.Count(), 0u);
    EXPECT_EQ(AppData().accounts.Count(), 0u);
    EXPECT_EQ(GetDriverMode(), kDriverModeBase);
    EXPECT_TRUE(PumpUntil([&] { return frame_->window.closes > 0; }));
    EXPECT_EQ(runner_.boxTexts.size(), 2u);
    app.ExitInstance();
}

} // namespace

namespace {

// End to end: alarms that the simulated server raises and clears reach the real main frame's trap log ring and the
// NEs' alarm state in the model, which the trap log view and the tree show at their next refresh.
class LiveAlarmsTest : public LoginServerTest {
protected:
    void SetUp() override
    {
        if (!CSimServerProcess::Exists())
            GTEST_SKIP() << "the simulated management server is not built (" << CSimServerProcess::Path() << ")";
        LoginServerTest::SetUp();
        ASSERT_TRUE(sim_.Start({"--scenario", kWorld, "--models", (kResources / "EntConf").string(), "--alarm-rate",
                                "50"}));
        WriteServerIni(sim_.Port(), "admin");
    }
    CSimServerProcess sim_;
};

TEST_F(LiveAlarmsTest, RaisedAndClearedAlarmsReachTheTrapLogAndTheModel)
{
    CEmsApp app;
    app.SetMainFrameFactory(CreateAppMainFrame);
    runner_.PushLogin(LoginInput{.password = "admin"});
    ASSERT_TRUE(app.InitInstance());
    ASSERT_NE(app.GetMainFrame(), nullptr);

    // The frame's timer applies what arrived; wait (bounded) until records are logged and some NE carries an alarm.
    auto anyNeAlarmed = [] {
        for (const CNeRecord* ne = ResolveNeRecord(nullptr); ne != nullptr; ne = ne->GetNext()) {
            if (ne->root != nullptr && CEntityNode::GetSummarySeverityById(ne, 1) != 0)
                return true;
        }
        return false;
    };
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while ((AppTrapLog().GetCount() < 20 || !anyNeAlarmed()) && std::chrono::steady_clock::now() < give_up) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_GE(AppTrapLog().GetCount(), 20u);
    EXPECT_TRUE(anyNeAlarmed());

    // Records come out oldest first with rising sequence numbers: nothing lost, nothing reordered.
    TrapLogRecord record;
    ASSERT_NE(AppTrapLog().GetFirstTrapLogRecord(&record), 0u);
    uint32_t previous = record.sequence;
    uint32_t seen = 1;
    while (AppTrapLog().GetNextTrapLogRecord(&record) != 0) {
        EXPECT_EQ(record.sequence, previous + 1);
        previous = record.sequence;
        ++seen;
    }
    EXPECT_GE(seen, 20u);
    app.ExitInstance();
}

} // namespace
