// Start-up and Exit of the running program: a configuration or definition file that is missing ends the start-up
// naming it and loading nothing; Exit answered No keeps the program running, Yes ends it and empties the tables.

#include "tests/e2e/support/e2e_harness.h"

#include "core/config/app_settings.h"
#include "core/entity/entity_model_set.h"
#include "core/tables/app_data.h"
#include "link/driver_mode.h"
#include "ui/shell/app/ems_app.h"
#include "ui/shell/frame/main_frame.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(StartupE2eTest, AMissingFileEndsTheStartUpNamingItAndLoadsNothing)
{
    for (const char* missing :
         {"Tarvik.ini", "EntConf/EntInfo.dat", "EntConf/EntAlm.dat", "EntConf/EntSkin.dat", "Map/Map.dat"}) {
        SCOPED_TRACE(missing);
        e2e::CProgram program;
        ASSERT_TRUE(program.StartServer({.args = {}, .iniExtra = "[SYSTEM]\nAPPNAME=Lab\n"}));
        const std::filesystem::path file = program.WorkDir().Path() / missing;
        ASSERT_TRUE(std::filesystem::remove(file));
        EXPECT_FALSE(program.Login("admin", "admin"));
        ASSERT_EQ(program.Operator().PlainBoxes().Requests().size(), 1u);
        EXPECT_EQ(program.Operator().PlainBoxes().Requests()[0].text.toStdString(),
                  "miss important file : " + file.string());
        EXPECT_EQ(program.Operator().loginRuns, 0);
        EXPECT_EQ(GetEntityTypeCount(), 0);
        EXPECT_TRUE(AppSettings().appName.empty());
    }
}

TEST(StartupE2eTest, ExitAnsweredNoKeepsTheProgramRunningYesEndsItAndEmptiesTheTables)
{
    e2e::CProgram program;
    ASSERT_TRUE(program.StartServer());
    ASSERT_TRUE(program.Login("admin", "admin"));
    program.Operator().AnswerBox(IDNO);
    ASSERT_TRUE(program.Command(CEmsApp::kCmdExit));
    EXPECT_EQ(program.Operator().LastBoxText(), QStringLiteral("Are you sure to exit?"));
    EXPECT_FALSE(program.App().GetExitFlag());
    EXPECT_TRUE(program.Frame().isVisible());
    EXPECT_EQ(GetDriverMode(), kDriverModeServer);

    program.Operator().AnswerBox(IDYES);
    ASSERT_TRUE(program.Command(CEmsApp::kCmdExit));
    EXPECT_TRUE(program.WaitUntil([&] { return program.App().GetExitFlag() && !program.Frame().isVisible(); }));
    EXPECT_EQ(GetDriverMode(), kDriverModeBase);
    EXPECT_EQ(AppData().nes.Count(), 0u);
    EXPECT_EQ(AppData().locations.Count(), 0u);
}

} // namespace
