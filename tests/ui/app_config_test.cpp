// The application's configuration load and save: the full and the live load through the application object, the
// definition files loaded aside and installed whole, the dialog scale factors, and the save by section as INI text.

#include "tests/ui/app_test_support.h"

#include "ui/shell/app/dialog_font_scale.h"
#include "ui/shell/app/ems_app.h"

#include <gtest/gtest.h>

#include <functional>

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

struct KeyCase {
    const char* section;
    const char* line;
    std::function<bool(const CAppSettings&)> holds;
    const char* what;
};

TEST_F(AppConfigTest, FullLoadTakesEachKeyWithItsBoundsAndDefaults)
{
    const std::vector<KeyCase> cases = {
        {"LINK", "SERVERPORT=0", [](const CAppSettings& s) { return s.serverPort == 19460; }, "port 0 -> default"},
        {"LINK", "SERVERPORT=70000", [](const CAppSettings& s) { return s.serverPort == 19460; }, "port -> default"},
        {"LINK", "SERVERPORT=1", [](const CAppSettings& s) { return s.serverPort == 1; }, "port 1 kept"},
        {"LINK", "SNMPTRAPPORT=65535", [](const CAppSettings& s) { return s.snmpTrapPort == 65535; }, "trap port"},
        {"LINK", "SERVERWAIT=100", [](const CAppSettings& s) { return s.serverWait == 3000; }, "wait clamped up"},
        {"LINK", "SERVERWAIT=1000000", [](const CAppSettings& s) { return s.serverWait == 900000; }, "wait clamped"},
        {"LINK", "PINGINTERVAL=5", [](const CAppSettings& s) { return s.pingInterval == 10000; }, "ping clamped"},
        {"LINK", "SNMPWAIT=", [](const CAppSettings& s) { return s.snmpWait == 3000; }, "empty -> default"},
        {"LINK", "SNMPRETRY=50", [](const CAppSettings& s) { return s.snmpRetry == 20; }, "retries clamped"},
        {"SYSTEM", "FRAMEREFRESHTIME=1", [](const CAppSettings& s) { return s.frameRefreshTime == 2; }, "refresh"},
        {"SYSTEM", "DIRECTCONTROL=yes", [](const CAppSettings& s) { return s.directControl; }, "bool word"},
        {"SYSTEM", "SERVERIP=10.9.8.7",
         [](const CAppSettings& s) {
             return s.serverIp == IniIpv4Address{10, 9, 8, 7};
         },
         "address"},
        {"SYSTEM", "USERNAME=abcdefghijklmn", [](const CAppSettings& s) { return s.userName == "abcdefghij"; },
         "user name cut to 10"},
        {"ALARM", "FLASH=mj", [](const CAppSettings& s) { return s.flash.level == 2 && !s.flash.serviceAffecting; },
         "flash major"},
        {"ALARM", "FLASH=SA", [](const CAppSettings& s) { return s.flash.level == 0 && s.flash.serviceAffecting; },
         "flash service affecting"},
        {"ALARM", "BEEP=if", [](const CAppSettings& s) { return s.beep.level == 5; }, "beep info"},
        {"ALARM", "BEEP=XX", [](const CAppSettings& s) { return s.beep.level == 0 && !s.beep.serviceAffecting; },
         "unknown code"},
        {"ALARM", "FLASHCYCLE=0", [](const CAppSettings& s) { return s.flashCycle == 1; }, "flash cycle"},
        {"ALARM", "HISALARMRECCNT=9999", [](const CAppSettings& s) { return s.hisAlarmRecCnt == 5000; }, "history"},
        {"ALARM", "TRAPLOGFILTER=5",
         [](const CAppSettings& s) {
             return s.trapLogFilter == TrapLogFilter{5, 0, 0, 0xFF};
         },
         "filter location"},
        {"ALARM", "TRAPLOGFILTER=1,2,3,0x0C",
         [](const CAppSettings& s) {
             return s.trapLogFilter == TrapLogFilter{1, 2, 3, 0x0C};
         },
         "filter"},
        {"MAP", "GRADCOORSYS=0", [](const CAppSettings& s) { return !s.gradCoorSys; }, "deg/min/sec"},
        {"DIALOG", "HINTMSGTEXTCOLOR=zz", [](const CAppSettings& s) { return s.hintMsgTextColor == 0x800000; },
         "colour default"},
        {"DIALOG", "ERRMSGBKCOLOR=0x123456", [](const CAppSettings& s) { return s.errMsgBkColor == 0x123456; },
         "colour"},
        {"PDULOG", "PDULOGWIN=1", [](const CAppSettings& s) { return s.pduLogWin; }, "live key in the full load"},
    };
    CEmsApp app;
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.what);
        ResetProgramState();
        dir_.WriteIni(std::string("[") + c.section + "]\n" + c.line + "\n");
        ASSERT_TRUE(app.LoadConfiguration(true));
        EXPECT_TRUE(c.holds(AppSettings()));
    }
    EXPECT_TRUE(plainBoxes_.Requests().empty());
}

TEST_F(AppConfigTest, FullLoadInstallsTheEntityModelsAndTheMapList)
{
    dir_.WriteIni("[SYSTEM]\n");
    CEmsApp app;
    ASSERT_TRUE(app.LoadConfiguration(true));
    const int sampleTypes = GetEntityTypeCount();
    EXPECT_GT(sampleTypes, 0);
    EXPECT_EQ(CurrentMapList().GetMapCount(), 1u);
    EXPECT_EQ(CurrentMapList().FindMapDef(1).name, "North-Region");

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
    EXPECT_EQ(CurrentMapList().GetMapCount(), 1u);
}

TEST_F(AppConfigTest, LiveLoadTakesOnlyTheLiveKeys)
{
    dir_.WriteIni("[SYSTEM]\nCOMPANY=First\n");
    CEmsApp app;
    ASSERT_TRUE(app.LoadConfiguration(true));
    EXPECT_EQ(AppSettings().company, "First");
    dir_.WriteIni("[SYSTEM]\nCOMPANY=A company name too long\nOPLOG=0\nAPPNAME=Other\n[PDULOG]\nPDULOGWIN=1\n"
                  "[VIEW]\nAUTOSELIFLOCCHANGE=0\n[LINK]\nSERVERPORT=2000\n[ALARM]\nFLASH=CR\n");
    EXPECT_TRUE(app.LoadConfiguration(false));
    const CAppSettings& s = AppSettings();
    EXPECT_EQ(s.company, "A company name too l");
    EXPECT_FALSE(s.opLog);
    EXPECT_TRUE(s.pduLogWin);
    EXPECT_FALSE(s.autoSelIfLocChange);
    EXPECT_TRUE(s.appName.empty());
    EXPECT_EQ(s.serverPort, 19460);
    EXPECT_EQ(s.flash.level, 0);
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

struct SaveCase {
    const char* section;
    std::vector<const char*> written; // "SECTION/KEY" lines the save adds to an empty file
};

// The keys of a file's text, as "SECTION/KEY", in file order.
std::vector<std::string> KeysOf(const std::string& text)
{
    std::vector<std::string> keys;
    std::string section;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() > 2 && line.front() == '[')
            section = line.substr(1, line.find(']') - 1);
        else if (const size_t eq = line.find('='); eq != std::string::npos && line[0] != ';')
            keys.push_back(section + "/" + line.substr(0, eq));
    }
    return keys;
}

TEST_F(AppConfigTest, SaveWritesTheKeysOfItsSectionOnly)
{
    const std::vector<const char*> linkTimes = {"LINK/SERVERWAIT", "LINK/PINGINTERVAL", "LINK/SNMPWAIT",
                                                "LINK/SNMPRETRY"};
    const std::vector<const char*> ports = {"LINK/SERVERPORT", "LINK/SERVERTRAPPORT", "LINK/SNMPPORT",
                                            "LINK/SNMPTRAPPORT"};
    const std::vector<const char*> alarm = {"ALARM/FLASH",       "ALARM/FLASHCYCLE",      "ALARM/BEEP",
                                            "ALARM/BEEPFILE",    "ALARM/BEEPOFFINTERVAL", "ALARM/HISALARMRECCNT",
                                            "ALARM/TRAPLOGSIZE", "ALARM/TRAPLOGFILTER"};
    auto join = [](std::initializer_list<std::vector<const char*>> parts) {
        std::vector<const char*> all;
        for (const auto& p : parts)
            all.insert(all.end(), p.begin(), p.end());
        return all;
    };
    const std::vector<const char*> system = {"SYSTEM/DIRECTCONTROL", "SYSTEM/SERVERIP", "SYSTEM/USERNAME",
                                             "SYSTEM/OPLOG"};
    const std::vector<SaveCase> cases = {
        {"SYSTEM", join({system, ports, {"PDULOG/PDULOGWIN"}})},
        {"link", join({ports, linkTimes})},
        {"Alarm", alarm},
        {"MAP", {"MAP/GRADCOORSYS"}},
        {"", join({system, ports, {"PDULOG/PDULOGWIN"}, linkTimes, alarm, {"MAP/GRADCOORSYS"}})},
        {"VIEW", {}},
    };
    CEmsApp app;
    for (const SaveCase& c : cases) {
        SCOPED_TRACE(c.section);
        dir_.WriteIni("");
        ASSERT_TRUE(app.LoadConfiguration(true));
        EXPECT_TRUE(app.SaveConfiguration(c.section));
        std::vector<std::string> keys = KeysOf(ReadText(dir_.Ini()));
        std::vector<std::string> expected(c.written.begin(), c.written.end());
        std::sort(keys.begin(), keys.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(keys, expected);
    }
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
    EXPECT_NE(text.find("FLASH=SA"), std::string::npos);
    EXPECT_NE(text.find("BEEP=MN"), std::string::npos);
    EXPECT_NE(text.find("TRAPLOGFILTER=4,5,10203,0x0000001E"), std::string::npos);
    EXPECT_NE(text.find("SERVERIP=192.168.7.1"), std::string::npos);
    EXPECT_NE(ReadText(dir_.Path() / "Map" / "Map.dat").find("South-Region"), std::string::npos);

    ResetProgramState();
    ASSERT_TRUE(app.LoadConfiguration(true));
    EXPECT_EQ(AppSettings(), saved);
    ASSERT_EQ(CurrentMapList().GetMapCount(), 2u);
    EXPECT_EQ(CurrentMapList().FindMapDef(2).name, "South-Region");
}

} // namespace
