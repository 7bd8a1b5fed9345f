// The program as it runs: start-up through the login against the simulated management server to the real main
// frame, and Exit from there.

#include "tests/ui/app_test_support.h"

#include "ui/shell/app/ems_app.h"
#include "ui/shell/frame/app_frame_host.h"
#include "ui/shell/frame/frame_resources.h"

#include <gtest/gtest.h>

namespace {

using namespace app_test;

TEST(AppMainFrameTest, StartsToTheMainFrameAndExits)
{
    if (!CSimServerProcess::Exists())
        GTEST_SKIP() << "the simulated management server is not built (" << CSimServerProcess::Path() << ")";
    LoadProgramStrings();
    ResetProgramState();
    SetFrameResourceRoot(fs::path(TARVIK_RESOURCES_DIR).parent_path().string());
    CWorkDir dir;
    dir.CopyDefinitionFiles();
    CSimServerProcess sim;
    ASSERT_TRUE(sim.Start({"--scenario", std::string(TARVIK_TEST_DATA_DIR) + "/server/sim_world.ini"}));
    dir.WriteIni("[SYSTEM]\nSERVERIP=127.0.0.1\nUSERNAME=admin\n[LINK]\nSERVERPORT=" + std::to_string(sim.Port()) +
                 "\nSERVERTRAPPORT=" + std::to_string(FreeUdpPort()) + "\n");
    CAppRunner runner;
    ScriptedMessageBoxes plainBoxes;
    runner.PushLogin(LoginInput{.password = "admin"});
    {
        CEmsApp app;
        app.SetMainFrameFactory(CreateAppMainFrame);
        ASSERT_TRUE(app.InitInstance());
        IAppFrame* frame = app.GetMainFrame();
        ASSERT_NE(frame, nullptr);
        QWidget* window = frame->FrameWindow();
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("Tarvik")));
        EXPECT_EQ(AppData().role, kRoleAdministrator);
        EXPECT_GT(AppData().nes.Count(), 0u);

        // The frame's own Exit command reaches the application, which asks, logs off and closes the frame.
        runner.PushBoxAnswer(IDYES);
        frame->PostFrameCommand(CEmsApp::kCmdExit);
        EXPECT_TRUE(PumpUntil([&] { return app.GetExitFlag() && !window->isVisible(); }));
        EXPECT_EQ(runner.boxTexts.at(0), QStringLiteral("Are you sure to exit?"));
        EXPECT_EQ(GetDriverMode(), kDriverModeBase);
        EXPECT_EQ(app.ExitInstance(), 0);
    }
    SetFrameResourceRoot({});
    ResetProgramState();
}

} // namespace
