#include "core/config/app_settings.h"
#include "core/ini/ini_file.h"
#include "tarvik_test_paths.h"

#include "temp_file_test.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <set>

namespace {

const std::string kDefaultIni = std::string(TARVIK_RESOURCES_DIR) + "/Tarvik.ini";

class AppSettingsTest : public TempFileTest {
protected:
    AppSettingsTest() : TempFileTest("app_settings_", "Tarvik.ini") {}
};

// The initial values and the defaults a file without keys gives are one set; only the server address differs (an
// absent address reads 0.0.0.0).
TEST(AppSettings, InitialValuesAreTheKeyDefaults)
{
    const CAppSettings settings;
    CAppSettings fromEmpty;
    fromEmpty.ReadFullSettings(CIniFile::Parse(""));
    EXPECT_EQ(fromEmpty.serverIp, (IniIpv4Address{0, 0, 0, 0}));
    fromEmpty.serverIp = settings.serverIp;
    EXPECT_EQ(fromEmpty, settings);
}

TEST(AppSettings, TheShippedFileHoldsExactlyTheDefaults)
{
    CAppSettings settings;
    settings.serverPort = 1; // proves the read replaces values
    settings.trapLogFilter = {9, 9, 9, 9};
    const ConfigReadResult result = settings.ReadFullSettings(kDefaultIni);
    ASSERT_TRUE(result.read) << result.error;
    EXPECT_TRUE(result.faults.empty()) << result.faults.front();
    EXPECT_EQ(settings, CAppSettings{});
}

// One row per stored key: a value other than the default, and how to see it arrive.
struct KeyRow {
    const char* section;
    const char* key;
    const char* value;
    std::function<bool(const CAppSettings&)> arrived;
};

std::vector<KeyRow> StoredKeys()
{
    return {
        {"SYSTEM", "APPNAME", "My NMS", [](const auto& s) { return s.appName == "My NMS"; }},
        {"SYSTEM", "DIRECTCONTROL", "1", [](const auto& s) { return s.directControl; }},
        {"SYSTEM", "SERVERIP", "10.9.8.7",
         [](const auto& s) {
             return s.serverIp == IniIpv4Address{10, 9, 8, 7};
         }},
        {"SYSTEM", "USERNAME", "operator", [](const auto& s) { return s.userName == "operator"; }},
        {"DIALOG", "DIALOGFONT", "Tahoma,90",
         [](const auto& s) {
             return s.dialogFont == FontSpec{"Tahoma", 90};
         }},
        {"SYSTEM", "FRAMEREFRESHTIME", "50", [](const auto& s) { return s.frameRefreshTime == 50; }},
        {"LINK", "SERVERPORT", "2000", [](const auto& s) { return s.serverPort == 2000; }},
        {"LINK", "SERVERTRAPPORT", "2001", [](const auto& s) { return s.serverTrapPort == 2001; }},
        {"LINK", "SNMPPORT", "1161", [](const auto& s) { return s.snmpPort == 1161; }},
        {"LINK", "SNMPTRAPPORT", "1162", [](const auto& s) { return s.snmpTrapPort == 1162; }},
        {"LINK", "SERVERWAIT", "60000", [](const auto& s) { return s.serverWait == 60000; }},
        {"LINK", "PINGINTERVAL", "20000", [](const auto& s) { return s.pingInterval == 20000; }},
        {"LINK", "SNMPWAIT", "5000", [](const auto& s) { return s.snmpWait == 5000; }},
        {"LINK", "SNMPRETRY", "20", [](const auto& s) { return s.snmpRetry == 20; }},
        {"SYSTEM", "INFODEFFILE", "a.dat", [](const auto& s) { return s.infoDefFile == "a.dat"; }},
        {"SYSTEM", "ALARMDEFFILE", "b.dat", [](const auto& s) { return s.alarmDefFile == "b.dat"; }},
        {"SYSTEM", "SKINDEFFILE", "c.dat", [](const auto& s) { return s.skinDefFile == "c.dat"; }},
        {"SYSTEM", "MAPDEFFILE", "d.dat", [](const auto& s) { return s.mapDefFile == "d.dat"; }},
        {"ALARM", "FLASH", "CR",
         [](const auto& s) {
             return s.flash == AlarmSignalCode{1, false};
         }},
        {"ALARM", "FLASHCYCLE", "7", [](const auto& s) { return s.flashCycle == 7; }},
        {"ALARM", "BEEP", "SA",
         [](const auto& s) {
             return s.beep == AlarmSignalCode{0, true};
         }},
        {"ALARM", "BEEPFILE", "ring.wav", [](const auto& s) { return s.beepFile == "ring.wav"; }},
        {"ALARM", "BEEPOFFINTERVAL", "0", [](const auto& s) { return s.beepOffInterval == 0; }},
        {"ALARM", "HISALARMRECCNT", "500", [](const auto& s) { return s.hisAlarmRecCnt == 500; }},
        {"ALARM", "TRAPLOGSIZE", "20000", [](const auto& s) { return s.trapLogSize == 20000; }},
        {"ALARM", "TRAPLOGFILTER", "1,2,3,0x3",
         [](const auto& s) {
             return s.trapLogFilter == TrapLogFilter{1, 2, 3, 3};
         }},
        {"ALARM", "POLLINTERVAL", "0", [](const auto& s) { return s.pollInterval == 0; }},
        {"MAP", "PRELOAD", "0", [](const auto& s) { return !s.mapPreload; }},
        {"MAP", "GRADCOORSYS", "NO", [](const auto& s) { return !s.gradCoorSys; }},
        {"DIALOG", "HINTMSGTEXTCOLOR", "1", [](const auto& s) { return s.hintMsgTextColor == 1; }},
        {"DIALOG", "HINTMSGBKCOLOR", "2", [](const auto& s) { return s.hintMsgBkColor == 2; }},
        {"DIALOG", "ERRMSGTEXTCOLOR", "3", [](const auto& s) { return s.errMsgTextColor == 3; }},
        {"DIALOG", "ERRMSGBKCOLOR", "4", [](const auto& s) { return s.errMsgBkColor == 4; }},
        {"SYSTEM", "WINSKINFILE", "s.dat", [](const auto& s) { return s.winSkinFile == "s.dat"; }},
        {"SYSTEM", "WINSPLASHFILE", "l.dat", [](const auto& s) { return s.winSplashFile == "l.dat"; }},
        {"SYSTEM", "TELNETEXE", "xterm -e telnet", [](const auto& s) { return s.telnetExe == "xterm -e telnet"; }},
        {"SYSTEM", "TELNETPORT", "2323", [](const auto& s) { return s.telnetPort == 2323; }},
        {"SYSTEM", "SYNCNETIMEAFTERLOGIN", "1", [](const auto& s) { return s.syncNeTimeAfterLogin; }},
        {"SYSTEM", "SYNCNETIMEMAXYEAR", "2038", [](const auto& s) { return s.syncNeTimeMaxYear == 2038; }},
        {"SYSTEM", "NOOFFLINEMENU", "1", [](const auto& s) { return s.noOfflineMenu; }},
        {"SYSTEM", "LOCINDICATOR", "0", [](const auto& s) { return !s.locIndicator; }},
        {"SYSTEM", "PORTTIP", "0", [](const auto& s) { return !s.portTip; }},
        {"SYSTEM", "FOCUSFRAME", "0", [](const auto& s) { return !s.focusFrame; }},
        {"SYSTEM", "SYSFONT", "Arial,100,I",
         [](const auto& s) {
             return s.sysFont == FontSpec{"Arial", 100, false, true};
         }},
        {"SYSTEM", "CHANGEPORT", "1", [](const auto& s) { return s.changePort; }},
        {"PDULOG", "PDULOGTOFILE", "1", [](const auto& s) { return s.pduLogToFile; }},
        {"PDULOG", "NETDRVTOFILE", "1", [](const auto& s) { return s.netDrvToFile; }},
        {"PDULOG", "NETDRVAGENTTOFILE", "1", [](const auto& s) { return s.netDrvAgentToFile; }},
        {"PDULOG", "NETDRVCOMMTOFILE", "1", [](const auto& s) { return s.netDrvCommToFile; }},
        {"SYSTEM", "COMPANY", "ACME", [](const auto& s) { return s.company == "ACME"; }},
        {"PDULOG", "PDULOGWIN", "1", [](const auto& s) { return s.pduLogWin; }},
        {"SYSTEM", "OPLOG", "0", [](const auto& s) { return !s.opLog; }},
        {"VIEW", "AUTOSELIFLOCCHANGE", "0", [](const auto& s) { return !s.autoSelIfLocChange; }},
    };
}

TEST(AppSettings, EveryStoredKeyIsReadFromItsSectionAndIsInTheShippedFile)
{
    const CIniFile shipped = *CIniFile::Load(kDefaultIni);
    for (const KeyRow& row : StoredKeys()) {
        SCOPED_TRACE(std::string(row.section) + "/" + row.key);
        EXPECT_NE(shipped.Find(row.section, row.key), nullptr);
        CAppSettings settings;
        settings.ReadFullSettings(CIniFile::Parse("[" + std::string(row.section) + "]\n" + row.key + "=" + row.value));
        EXPECT_TRUE(row.arrived(settings));
        // The same key under another section is not it.
        CAppSettings elsewhere;
        elsewhere.ReadFullSettings(CIniFile::Parse(std::string("[OTHER]\n") + row.key + "=" + row.value));
        EXPECT_FALSE(row.arrived(elsewhere));
    }
}

// Each numeric key at both ends of its range and one past each: a clamped key keeps the nearer end, the others fall
// back to their default.
TEST(AppSettings, EachRangeHoldsAtItsEndsAndNotOnePast)
{
    struct Row {
        const char* section;
        const char* key;
        int64_t low, high, fallback;
        bool clamped;
        std::function<int64_t(const CAppSettings&)> value;
    };
    const Row rows[] = {
        {"SYSTEM", "FRAMEREFRESHTIME", 2, 100, 10, true, [](const auto& s) { return s.frameRefreshTime; }},
        {"LINK", "SERVERPORT", 1, 65535, 19460, false, [](const auto& s) { return s.serverPort; }},
        {"LINK", "SERVERTRAPPORT", 1, 65535, 19461, false, [](const auto& s) { return s.serverTrapPort; }},
        {"LINK", "SNMPPORT", 1, 65535, 161, false, [](const auto& s) { return s.snmpPort; }},
        {"LINK", "SNMPTRAPPORT", 1, 65535, 162, false, [](const auto& s) { return s.snmpTrapPort; }},
        {"LINK", "SERVERWAIT", 3000, 900000, 35000, true, [](const auto& s) { return s.serverWait; }},
        {"LINK", "PINGINTERVAL", 10000, 240000, 30000, true, [](const auto& s) { return s.pingInterval; }},
        {"LINK", "SNMPWAIT", 1000, 240000, 3000, true, [](const auto& s) { return s.snmpWait; }},
        {"LINK", "SNMPRETRY", 0, 20, 3, true, [](const auto& s) { return s.snmpRetry; }},
        {"ALARM", "FLASHCYCLE", 1, 10, 2, true, [](const auto& s) { return s.flashCycle; }},
        {"ALARM", "BEEPOFFINTERVAL", 0, 3600, 60, true, [](const auto& s) { return s.beepOffInterval; }},
        {"ALARM", "HISALARMRECCNT", 10, 5000, 100, true, [](const auto& s) { return s.hisAlarmRecCnt; }},
        {"ALARM", "TRAPLOGSIZE", 1, 20000, 1000, true, [](const auto& s) { return s.trapLogSize; }},
        {"SYSTEM", "TELNETPORT", 0, 65535, 23, false, [](const auto& s) { return s.telnetPort; }},
        {"SYSTEM", "SYNCNETIMEMAXYEAR", 1997, 2038, 2000, true, [](const auto& s) { return s.syncNeTimeMaxYear; }},
    };
    for (const Row& row : rows) {
        const auto read = [&](int64_t typed) {
            CAppSettings settings;
            settings.ReadFullSettings(
                CIniFile::Parse("[" + std::string(row.section) + "]\n" + row.key + "=" + std::to_string(typed)));
            return row.value(settings);
        };
        SCOPED_TRACE(row.key);
        EXPECT_EQ(read(row.low), row.low);
        EXPECT_EQ(read(row.high), row.high);
        EXPECT_EQ(read(row.high + 1), row.clamped ? row.high : row.fallback);
        if (row.low > 0) {
            EXPECT_EQ(read(row.low - 1), row.clamped ? row.low : row.fallback);
        }
    }
}

TEST(AppSettings, OutOfRangeValuesAreClampedOrReplacedByTheDefault)
{
    struct Row {
        std::string text;
        std::function<bool(const CAppSettings&)> expected;
    };
    const Row rows[] = {
        {"[LINK]\nSERVERPORT=0", [](const auto& s) { return s.serverPort == 19460; }},
        {"[LINK]\nSERVERPORT=70000", [](const auto& s) { return s.serverPort == 19460; }},
        {"[LINK]\nSERVERWAIT=100", [](const auto& s) { return s.serverWait == 3000; }},
        {"[LINK]\nSERVERWAIT=1000000", [](const auto& s) { return s.serverWait == 900000; }},
        {"[LINK]\nSNMPRETRY=300", [](const auto& s) { return s.snmpRetry == 20; }},
        {"[SYSTEM]\nFRAMEREFRESHTIME=1", [](const auto& s) { return s.frameRefreshTime == 2; }},
        {"[SYSTEM]\nTELNETPORT=65536", [](const auto& s) { return s.telnetPort == 23; }},
        {"[SYSTEM]\nSYNCNETIMEMAXYEAR=1900", [](const auto& s) { return s.syncNeTimeMaxYear == 1997; }},
        {"[ALARM]\nTRAPLOGSIZE=0", [](const auto& s) { return s.trapLogSize == 1; }},
        {"[ALARM]\nPOLLINTERVAL=99999", [](const auto& s) { return s.pollInterval == 3600; }},
        {"[DIALOG]\nERRMSGBKCOLOR=0x1000000", [](const auto& s) { return s.errMsgBkColor == 0xC0FFFF; }},
        {"[SYSTEM]\nUSERNAME=abcdefghijklmnop", [](const auto& s) { return s.userName == "abcdefghij"; }},
        {"[SYSTEM]\nCOMPANY=" + std::string(30, 'c'), [](const auto& s) { return s.company == std::string(20, 'c'); }},
        {"[SYSTEM]\nAPPNAME=" + std::string(300, 'a'), [](const auto& s) { return s.appName.size() == 255; }},
        {"[ALARM]\nBEEPFILE=" + std::string(200, 'b'), [](const auto& s) { return s.beepFile.size() == 127; }},
        {"[SYSTEM]\nSERVERIP=localhost", [](const auto& s) { return s.serverIp == IniIpv4Address{}; }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        CAppSettings settings;
        settings.ReadFullSettings(CIniFile::Parse(row.text));
        EXPECT_TRUE(row.expected(settings));
    }
}

TEST(AlarmSignalCode, CodesReadInAnyCaseAndWriteInCapitals)
{
    struct Row {
        const char* text;
        AlarmSignalCode code;
        const char* written;
    };
    const Row rows[] = {
        {"NO", {0, false}, "NO"}, {"no", {0, false}, "NO"}, {"SA", {0, true}, "SA"},     {"sa", {0, true}, "SA"},
        {"CR", {1, false}, "CR"}, {"mj", {2, false}, "MJ"}, {"Mn", {3, false}, "MN"},    {"WN", {4, false}, "WN"},
        {"if", {5, false}, "IF"}, {"", {0, false}, "NO"},   {"MAJOR", {0, false}, "NO"}, {"M J", {0, false}, "NO"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(ParseAlarmSignalCode(row.text), row.code);
        EXPECT_EQ(FormatAlarmSignalCode(ParseAlarmSignalCode(row.text)), row.written);
    }
    EXPECT_EQ(FormatAlarmSignalCode({6, false}), "NO");
    EXPECT_EQ(FormatAlarmSignalCode({255, false}), "NO");
    EXPECT_EQ(FormatAlarmSignalCode({3, true}), "SA"); // the flag wins over the level
}

TEST(TrapLogFilter, TakesThePresentFieldsAndKeepsTheRest)
{
    struct Row {
        const char* text;
        TrapLogFilter expected;
    };
    const TrapLogFilter before{11, 22, 33, 0x0F};
    const Row rows[] = {
        {"5", {5, 22, 33, 0x0F}},
        {"5,6", {5, 6, 33, 0x0F}},
        {"5,6,7", {5, 6, 7, 0x0F}},
        {"5,6,7,0xFF", {5, 6, 7, 0xFF}},
        {"5,6,7,1F", {5, 6, 7, 0x1F}},
        {"0,0,0,0x000000FF", {0, 0, 0, 0xFF}},
        {" 5 , 6 , 10203 , 0x03 ", {5, 6, 10203, 0x03}},
        {"5,,7", {5, 22, 7, 0x0F}}, // an empty field keeps its value
        {"x,6", {11, 6, 33, 0x0F}}, // so does one that is not a number
        {"-1,4294967296,4294967295,0x100000000", {11, 22, 4294967295u, 0x0F}},
        {"", before},
        {"1,2,3,4,5", {1, 2, 3, 4}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        TrapLogFilter filter = before;
        ParseTrapLogFilter(row.text, filter);
        EXPECT_EQ(filter, row.expected);
    }
    EXPECT_EQ(FormatTrapLogFilter({0, 0, 0, 0xFF}), "0,0,0,0x000000FF");
    EXPECT_EQ(FormatTrapLogFilter({4294967295u, 12, 10203, 0xABCDEF01}), "4294967295,12,10203,0xABCDEF01");
}

// The keys whose lines a save touches.
std::set<std::string> ChangedKeys(const std::string& before, const std::string& after)
{
    auto entries = [](const std::string& text) {
        std::map<std::string, std::string> all;
        const CIniFile ini = CIniFile::Parse(text);
        for (const auto& section : ini.Sections()) {
            for (const auto& entry : section.entries)
                all.emplace(section.name + "/" + entry.key, entry.value);
        }
        return all;
    };
    const auto old = entries(before);
    std::set<std::string> changed;
    for (const auto& [key, value] : entries(after)) {
        auto it = old.find(key);
        if (it == old.end() || it->second != value)
            changed.insert(key);
    }
    return changed;
}

TEST_F(AppSettingsTest, SavingASectionWritesExactlyItsKeysAndKeepsEveryOtherLine)
{
    const std::set<std::string> systemKeys = {"SYSTEM/DIRECTCONTROL", "SYSTEM/SERVERIP",   "SYSTEM/USERNAME",
                                              "SYSTEM/OPLOG",         "LINK/SERVERPORT",   "LINK/SERVERTRAPPORT",
                                              "LINK/SNMPPORT",        "LINK/SNMPTRAPPORT", "PDULOG/PDULOGWIN"};
    const std::set<std::string> linkKeys = {"LINK/SERVERPORT",   "LINK/SERVERTRAPPORT", "LINK/SNMPPORT",
                                            "LINK/SNMPTRAPPORT", "LINK/SERVERWAIT",     "LINK/PINGINTERVAL",
                                            "LINK/SNMPWAIT",     "LINK/SNMPRETRY"};
    const std::set<std::string> alarmKeys = {"ALARM/FLASH",       "ALARM/FLASHCYCLE",      "ALARM/BEEP",
                                             "ALARM/BEEPFILE",    "ALARM/BEEPOFFINTERVAL", "ALARM/HISALARMRECCNT",
                                             "ALARM/TRAPLOGSIZE", "ALARM/TRAPLOGFILTER"};
    const std::set<std::string> mapKeys = {"MAP/GRADCOORSYS"};
    std::set<std::string> allKeys = systemKeys;
    allKeys.insert(linkKeys.begin(), linkKeys.end());
    allKeys.insert(alarmKeys.begin(), alarmKeys.end());
    allKeys.insert(mapKeys.begin(), mapKeys.end());

    // Every saved value differs from the file's, so each written key shows up as changed.
    CAppSettings settings;
    settings.directControl = true;
    settings.serverIp = {192, 168, 1, 2};
    settings.userName = "admin";
    settings.opLog = false;
    settings.serverPort = 1;
    settings.serverTrapPort = 2;
    settings.snmpPort = 3;
    settings.snmpTrapPort = 4;
    settings.pduLogWin = true;
    settings.serverWait = 5000;
    settings.pingInterval = 15000;
    settings.snmpWait = 2000;
    settings.snmpRetry = 9;
    settings.flash = {2, false};
    settings.flashCycle = 5;
    settings.beep = {0, true};
    settings.beepFile = "alarm.wav";
    settings.beepOffInterval = 30;
    settings.hisAlarmRecCnt = 200;
    settings.trapLogSize = 50;
    settings.trapLogFilter = {1, 2, 3, 0x1F};
    settings.gradCoorSys = false;
    settings.company = "not saved by any section";
    settings.appName = "not saved either";

    const std::string original = "; my settings\n"
                                 "[SYSTEM]\n"
                                 "APPNAME=Keep\n"
                                 "; a comment inside\n"
                                 "COMPANY=Keep Co\n";
    struct Row {
        const char* section;
        std::set<std::string> expected;
    };
    const Row rows[] = {
        {"SYSTEM", systemKeys}, {"system", systemKeys}, {"LINK", linkKeys}, {"Alarm", alarmKeys},
        {"MAP", mapKeys},       {"", allKeys},          {"DIALOG", {}},     {"VIEW", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.section);
        Write(original + "[SHELL]\nOTHER=1\n\n[MAP]\nCOUNT=2\nMAP1=1,Region,1.0,2.0,3.0,4.0,.\\Map\\r.bmp\n");
        const std::string before = ReadAll();
        ASSERT_TRUE(settings.SaveSettingsSection(path_, row.section));
        const std::string after = ReadAll();
        EXPECT_EQ(ChangedKeys(before, after), row.expected);
        // Lines the save does not own stay as they were, in order.
        EXPECT_EQ(after.rfind(original, 0), 0u);
        EXPECT_NE(after.find("[SHELL]\nOTHER=1\n"), std::string::npos);
        EXPECT_NE(after.find("COUNT=2\nMAP1=1,Region,1.0,2.0,3.0,4.0,.\\Map\\r.bmp\n"), std::string::npos);
    }
}

TEST_F(AppSettingsTest, AMissingOrUnreadableFileLeavesEverySettingAndNamesTheFile)
{
    const std::string directory = (dir_ / "dir.ini").string();
    std::filesystem::create_directories(directory);
    for (const std::string& path : {path_, directory}) {
        SCOPED_TRACE(path);
        CAppSettings settings;
        settings.serverPort = 1234;
        settings.company = "kept";
        const ConfigReadResult result = settings.ReadFullSettings(path);
        EXPECT_FALSE(result.read);
        EXPECT_NE(result.error.find(path), std::string::npos);
        CAppSettings expected;
        expected.serverPort = 1234;
        expected.company = "kept";
        EXPECT_EQ(settings, expected);
        EXPECT_FALSE(settings.ReadLiveSettings(path).read);
        EXPECT_EQ(settings, expected);
    }
}

TEST_F(AppSettingsTest, AMalformedFileGivesDefaultsAndNamesTheFaultyLines)
{
    Write("garbage line\n[LINK\nSERVERPORT=1000\n[LINK]\nSERVERWAIT=abc\nSNMPWAIT\n\x01\xff\xfe=\n[SYSTEM]\nOPLOG=0\n");
    CAppSettings settings;
    const ConfigReadResult result = settings.ReadFullSettings(path_);
    ASSERT_TRUE(result.read);
    ASSERT_EQ(result.faults.size(), 4u);
    EXPECT_EQ(result.faults[0], path_ + ":1: malformed line: garbage line");
    EXPECT_EQ(result.faults[1], path_ + ":2: malformed line: [LINK");
    EXPECT_EQ(result.faults[2], path_ + ":3: malformed line: SERVERPORT=1000");
    EXPECT_EQ(result.faults[3], path_ + ":6: malformed line: SNMPWAIT");
    EXPECT_EQ(settings.serverPort, 19460);
    EXPECT_EQ(settings.serverWait, 35000u);
    EXPECT_FALSE(settings.opLog);
}

TEST_F(AppSettingsTest, LiveReadsTouchOnlyTheLiveKeys)
{
    Write("[SYSTEM]\nCOMPANY=ACME\nOPLOG=0\nUSERNAME=bob\n[LINK]\nSERVERPORT=1\n[PDULOG]\nPDULOGWIN=1\n"
          "[VIEW]\nAUTOSELIFLOCCHANGE=0\n");
    CAppSettings settings;
    ASSERT_TRUE(settings.ReadLiveSettings(path_).read);
    CAppSettings expected;
    expected.company = "ACME";
    expected.opLog = false;
    expected.pduLogWin = true;
    expected.autoSelIfLocChange = false;
    EXPECT_EQ(settings, expected);
}

TEST_F(AppSettingsTest, TheConfigurationFileLivesInTheWorkingDirectory)
{
    const auto old = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
    const std::string path = ConfigFilePath();
    std::filesystem::current_path(old);
    EXPECT_EQ(std::filesystem::path(path), std::filesystem::canonical(dir_) / "Tarvik.ini");
}

} // namespace
