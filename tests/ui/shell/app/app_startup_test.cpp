// The application object's start-up, exit and shutdown and the telnet start, with the program's own
// working directory and a small management server that answers every request. Start-up and Exit as the operator
// meets them are tested end to end (tests/e2e/startup_e2e_test.cpp, login_e2e_test.cpp).

#include "tests/link/fake_server.h"
#include "tests/ui/shell/app/app_test_support.h"

#include "core/tables/ne_table.h"
#include "ui/framework/skin/skin_glue.h"
#include "ui/shell/app/about_dlg.h"
#include "ui/shell/app/ems_app.h"
#include "ui/shell/app/sound_thread_host.h"
#include "ui/shell/app/telnet_launcher.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

using namespace app_test;

class AppStartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadProgramStrings();
        ResetProgramState();
    }
    void TearDown() override
    {
        SetAlarmSoundThreadBody({});
        SetProgramLauncher({});
        ResetProgramState();
    }

    // A working directory with the sample definition files and a configuration for the fake server.
    void PrepareServerConfiguration(const std::string& extra = {})
    {
        dir_.CopyDefinitionFiles();
        dir_.WriteIni("[SYSTEM]\nSERVERIP=127.0.0.1\nUSERNAME=admin\n" + extra + "[LINK]\nSERVERPORT=" +
                      std::to_string(server_.Port()) + "\nSERVERTRAPPORT=" + std::to_string(FreeUdpPort()) + "\n");
    }

    // Start-up through a login to the fake server, up to the main frame.
    bool StartLoggedIn(CEmsApp& app)
    {
        app.SetMainFrameFactory(FakeFrameFactory(&frame_));
        runner_.PushLogin(LoginInput{.password = "secret"});
        return app.InitInstance();
    }

    CWorkDir dir_;
    CAppRunner runner_;
    ScriptedMessageBoxes plainBoxes_;
    CFakeServer server_;
    CFakeFrame* frame_ = nullptr;
};

TEST_F(AppStartupTest, MissingSkinAndSplashAreNoErrorAndTheLoginDialogComes)
{
    dir_.CopyDefinitionFiles();
    dir_.WriteIni("[SYSTEM]\nWINSKINFILE=.\\Skin\\Missing.dat\n");
    CEmsApp app;
    // Exit in the login dialog ends the start-up.
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(runner_.loginRuns, 1);
    EXPECT_TRUE(plainBoxes_.Requests().empty());
    EXPECT_TRUE(runner_.boxTexts.empty());
    EXPECT_FALSE(IsSkinLoaded());
    EXPECT_GT(GetEntityTypeCount(), 0);
    app.ExitInstance();
}

TEST_F(AppStartupTest, WithoutAMainFrameTheStartUpEnds)
{
    PrepareServerConfiguration();
    CEmsApp app;
    runner_.PushLogin(LoginInput{.password = "secret"});
    EXPECT_FALSE(app.InitInstance());
    app.ExitInstance();
}

TEST_F(AppStartupTest, ExitEmptiesTheTablesOnlyUnderTheDispatchLock)
{
    PrepareServerConfiguration();
    CEmsApp app;
    ASSERT_TRUE(StartLoggedIn(app));
    CNeRecord ne;
    ne.neId = 3;
    ne.name = "edge-3";
    ne.address = {10, 0, 0, 3};
    ASSERT_EQ(AppData().nes.AddNe(ne), NeResult::kOk);

    // Another thread walks the NE table under the lock, as the alarm sound does; the table must stay whole meanwhile.
    std::atomic<bool> holding{false};
    std::atomic<bool> release{false};
    std::atomic<size_t> countBeforeRelease{0};
    std::thread walker([&] {
        ASSERT_TRUE(LockDispatch(5000));
        holding = true;
        while (!release)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        countBeforeRelease = AppData().nes.Count();
        UnlockDispatch();
    });
    ASSERT_TRUE(WaitUntil([&] { return holding.load(); }));
    std::thread releaser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        release = true;
    });
    runner_.PushBoxAnswer(IDYES);
    app.OnExit();
    walker.join();
    releaser.join();
    EXPECT_EQ(countBeforeRelease.load(), 1u);
    EXPECT_EQ(AppData().nes.Count(), 0u);
    app.ExitInstance();
}

TEST_F(AppStartupTest, ShutdownEndsAnAlarmSoundThreadThatSleepsItsSilenceInterval)
{
    std::atomic<bool> sleeping{false};
    std::atomic<bool> woken{false};
    SetAlarmSoundThreadBody([&](CSoundThread& thread) {
        sleeping = true;
        // The longest silence interval the configuration allows.
        woken = !thread.Sleep(3600U * 1000U);
    });
    PrepareServerConfiguration();
    CEmsApp app;
    ASSERT_TRUE(StartLoggedIn(app));
    ASSERT_TRUE(WaitUntil([&] { return sleeping.load(); }));
    EXPECT_TRUE(app.IsSoundThreadRunning());
    app.ExitInstance();
    EXPECT_FALSE(app.IsSoundThreadRunning());
    EXPECT_TRUE(woken.load());
}

struct TelnetCase {
    const char* name;
    const char* iniLines; // [SYSTEM] keys
    uint32_t neId;
    const char* program;
    std::vector<const char*> arguments;
};

TEST_F(AppStartupTest, TelnetStartsTheConfiguredProgramWithoutAShell)
{
    const std::vector<TelnetCase> cases = {
        {"defaults", "", 5, "telnet", {"10.1.2.3", "23"}},
        {"blank program", "TELNETEXE=   \nTELNETPORT=2323\n", 5, "telnet", {"10.1.2.3", "2323"}},
        {"path with blanks", "TELNETEXE= /opt/net tools/telnet -4 \n", 5, "/opt/net tools/telnet -4", {"10.1.2.3", "23"}},
        {"port out of range", "TELNETPORT=70000\n", 5, "telnet", {"10.1.2.3", "23"}},
        {"NE not in the table", "", 99, "telnet", {}},
    };
    std::vector<std::pair<QString, QStringList>> started;
    SetProgramLauncher([&](const QString& program, const QStringList& arguments) {
        started.emplace_back(program, arguments);
        return QString();
    });
    CNeRecord ne;
    ne.neId = 5;
    ne.name = "edge-5";
    ne.address = {10, 1, 2, 3};
    ASSERT_EQ(AppData().nes.AddNe(ne), NeResult::kOk);
    AppData().role = kRoleUser;
    SetUserRights(kRoleUser, "qqqq");
    CEmsApp app;
    for (const TelnetCase& c : cases) {
        SCOPED_TRACE(c.name);
        dir_.WriteIni(std::string("[SYSTEM]\n") + c.iniLines);
        app.LoadConfiguration(false);
        started.clear();
        app.TelnetToNeById(c.neId);
        ASSERT_EQ(started.size(), 1u);
        EXPECT_EQ(started[0].first, QString::fromLatin1(c.program));
        QStringList expected;
        for (const char* a : c.arguments)
            expected << QString::fromLatin1(a);
        EXPECT_EQ(started[0].second, expected);
    }
    EXPECT_TRUE(runner_.boxTexts.empty());
}

TEST_F(AppStartupTest, TelnetWithoutTheQueryRightSaysNoPrivilege)
{
    int launches = 0;
    SetProgramLauncher([&](const QString&, const QStringList&) {
        ++launches;
        return QString();
    });
    dir_.WriteIni("[SYSTEM]\n");
    AppData().role = kRoleUser;
    SetUserRights(kRoleUser, "qqq-");
    CEmsApp app;
    app.LoadConfiguration(false);
    app.TelnetToNeById(1);
    EXPECT_EQ(launches, 0);
    ASSERT_EQ(runner_.boxTexts.size(), 1u);
    EXPECT_EQ(runner_.boxTexts[0], QStringLiteral("No privilege"));
}

// Exit and Logout ask Yes/No with No as the default button; No leaves the program as it was.
TEST_F(AppStartupTest, ExitAndLogoutAskWithNoAsTheDefault)
{
    dir_.WriteIni("[SYSTEM]\n");
    CEmsApp app;
    const std::pair<const char*, std::function<void()>> questions[] = {
        {"Are you sure to exit?", [&] { app.OnExit(); }}, {"Are you sure to logout?", [&] { app.OnLogout(); }}};
    for (const auto& [text, ask] : questions) {
        runner_.boxTexts.clear();
        runner_.boxDefaults.clear();
        runner_.PushBoxAnswer(IDNO);
        ask();
        ASSERT_EQ(runner_.boxTexts.size(), 1u) << text;
        EXPECT_EQ(runner_.boxTexts[0], QString::fromLatin1(text));
        EXPECT_EQ(runner_.boxDefaults, std::vector<int>{IDNO}) << text;
        EXPECT_FALSE(app.GetExitFlag()) << text;
        EXPECT_EQ(runner_.loginRuns, 0) << text;
    }
}

// The About text: the title, " , Version " and the four parts of the file version, most significant first.
TEST(AboutVersionTest, TitleAndTheFourVersionParts)
{
    EXPECT_EQ(FormatAboutVersion(QStringLiteral("Tarvik"), {1, 2, 3, 4}), QStringLiteral("Tarvik , Version 1.2.3.4"));
    EXPECT_EQ(FormatAboutVersion(QStringLiteral("My NMS"), {65535, 0, 10, 7}),
              QStringLiteral("My NMS , Version 65535.0.10.7"));
}

} // namespace
