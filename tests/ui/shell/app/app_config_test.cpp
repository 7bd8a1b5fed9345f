// The application's configuration load and save: the full load through the application object, the definition files
// loaded aside and installed whole, the dialog scale factors, and the save of the settings and the map list. The live
// keys are the settings' own test (tests/core/config_app_settings_test.cpp).

#include "tarvik_test_paths.h"
#include "tests/ui/shell/app/app_test_support.h"

#include "ui/shell/app/dialog_font_scale.h"
#include "ui/shell/app/ems_app.h"

#include <gtest/gtest.h>

namespace {

using namespace app_test;

class AppConfigTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadProgramStrings();
        ResetProgramState();
        dir_.CopyDefinitionFiles();
    }
    void TearDown() override { ResetProgramState(); }

    CWorkDir dir_;
    CAppRunner runner_;
    ScriptedMessageBoxes plainBoxes_;
};

TEST_F(AppConfigTest, FullLoadInstallsTheEntityModelsAndTheMapList)
{
    dir_.WriteIni("[SYSTEM]\n");
    CEmsApp app;
    ASSERT_TRUE(app.LoadConfiguration(true));
    const int sampleTypes = GetEntityTypeCount();
    EXPECT_GT(sampleTypes, 0);
    EXPECT_EQ(CurrentMapList().GetMapCount(), 3u);
    EXPECT_EQ(CurrentMapList().FindMapDef(1).name, "Coast-Region");

    // Another information file replaces the models whole.
    fs::copy_file(fs::path(TARVIK_TEST_DATA_DIR) / "entity" / "minimal_info.dat", dir_.Path() / "EntConf" / "Min.dat");
    dir_.WriteIni("[SYSTEM]\nINFODEFFILE=.\\EntConf\\Min.dat\n");
    ASSERT_TRUE(app.LoadConfiguration(true));
    EXPECT_NE(GetEntityTypeCount(), sampleTypes);
    EXPECT_GT(GetEntityTypeCount(), 0);
}

TEST_F(AppConfigTest, AMissingMapFileStopsTheLoadAndKeepsWhatWasLoaded)
{
    dir_.WriteIni("[ALARM]\nFLASH=CR\n");
    CEmsApp app;
    ASSERT_TRUE(app.LoadConfiguration(true));
    const int types = GetEntityTypeCount();
    ASSERT_EQ(AppSettings().flash.level, 1);

    fs::remove(dir_.Path() / "Map" / "Map.dat");
    dir_.WriteIni("[ALARM]\nFLASH=MJ\n[LINK]\nSERVERPORT=2000\n");
    EXPECT_FALSE(app.LoadConfiguration(true));
    ASSERT_EQ(plainBoxes_.Requests().size(), 1u);
    EXPECT_EQ(plainBoxes_.Requests()[0].text.toStdString(),
              "miss important file : " + (dir_.Path() / "Map" / "Map.dat").string());
    EXPECT_EQ(AppSettings().flash.level, 1);
    EXPECT_EQ(AppSettings().serverPort, 19460);
    EXPECT_EQ(GetEntityTypeCount(), types);
    EXPECT_EQ(CurrentMapList().GetMapCount(), 3u);
}

TEST_F(AppConfigTest, DialogScaleGrowsOnlyForAFontLargerThanTheReference)
{
    const std::vector<std::pair<const char*, bool>> cases = {
        {"Arial,60", false}, {"Arial,80", false}, {"Arial,200,B", true}, {"Liberation Sans,160", true}};
    CEmsApp app;
    for (const auto& [font, larger] : cases) {
        SCOPED_TRACE(font);
        dir_.WriteIni(std::string("[DIALOG]\nDIALOGFONT=") + font + "\n");
        ASSERT_TRUE(app.LoadConfiguration(true));
        const DisplayScale scale = app.GetDialogScale();
        EXPECT_GE(scale.x, 1.0);
        EXPECT_GE(scale.y, 1.0);
        EXPECT_EQ(scale.x > 1.0, larger);
        EXPECT_EQ(scale.y > 1.0, larger);
        EXPECT_EQ(GetDisplayScale().x, scale.x);
        EXPECT_EQ(GetAppDialogFont(), app.GetDialogFont());
    }
    EXPECT_EQ(ComputeDialogScale(DialogFontFromSpec(FontSpec{})).x, 1.0);
}

TEST_F(AppConfigTest, SavedValuesReadBackAndTheMapListGoesToTheMapFile)
{
    dir_.WriteIni("; kept comment\n[SYSTEM]\nAPPNAME=Keep me\n");
    CEmsApp app;
    ASSERT_TRUE(app.LoadConfiguration(true));
    CAppSettings& s = AppSettings();
    s.directControl = true;
    s.serverIp = {192, 168, 7, 1};
    s.userName = "oper";
    s.snmpPort = 1161;
    s.serverWait = 4000;
    s.flash = AlarmSignalCode{0, true};
    s.beep = AlarmSignalCode{3, false};
    s.beepFile = "alarm.wav";
    s.trapLogFilter = TrapLogFilter{4, 5, 10203, 0x1E};
    s.gradCoorSys = false;
    CurrentMapList().SetMapCount(2);
    CMapDef* added = CurrentMapList().GetMapAt(1);
    added->id = 2;
    added->name = "South-Region";
    added->west = 10.0F;
    added->east = 12.0F;
    added->north = 50.0F;
    added->south = 48.0F;
    const CAppSettings saved = s;
    EXPECT_TRUE(app.SaveConfiguration());

    const std::string text = ReadText(dir_.Ini());
    EXPECT_NE(text.find("; kept comment"), std::string::npos);
    EXPECT_NE(text.find("APPNAME=Keep me"), std::string::npos);

    ResetProgramState();
    ASSERT_TRUE(app.LoadConfiguration(true));
    EXPECT_EQ(AppSettings(), saved);
    ASSERT_EQ(CurrentMapList().GetMapCount(), 2u);
    EXPECT_EQ(CurrentMapList().FindMapDef(2).name, "South-Region");
}

} // namespace
