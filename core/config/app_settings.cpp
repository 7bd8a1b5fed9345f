#include "core/config/app_settings.h"

#include "core/config/ini_writers.h"
#include "core/ini/file_path.h"
#include "core/ini/ini_file.h"

#include <optional>
#include <utility>

namespace {

constexpr char kDefaultFont[] = "Arial,80,B";

std::optional<CIniFile> LoadConfigFile(const std::string& path, ConfigReadResult& result)
{
    std::optional<CIniFile> ini = CIniFile::Load(path, &result.error);
    if (!ini)
        return std::nullopt;
    result.read = true;
    for (const auto& fault : ini->Faults())
        result.faults.push_back(path + ":" + std::to_string(fault.line) + ": malformed line: " + fault.text);
    return ini;
}

std::uint16_t ReadPort(const CIniFile& ini, std::string_view key, std::uint16_t defaultPort)
{
    return static_cast<std::uint16_t>(ReadIniSignedInRange("LINK", key, defaultPort, ini, 1, 65535, false));
}

template <typename T> void UpdateIfChanged(T& field, T value)
{
    if (field != value)
        field = std::move(value);
}

std::string FormatAddress(const IniIpv4Address& address)
{
    return std::to_string(address[0]) + "." + std::to_string(address[1]) + "." + std::to_string(address[2]) + "." +
           std::to_string(address[3]);
}

} // namespace

void CAppSettings::ReadFullSettings(const CIniFile& ini)
{
    appName = ReadIniStringN("SYSTEM", "APPNAME", "", ini, 256);
    directControl = ReadIniBool("SYSTEM", "DIRECTCONTROL", false, ini);
    serverIp = ReadIniIpAddress("SYSTEM", "SERVERIP", ini);
    userName = ReadIniStringN("SYSTEM", "USERNAME", "", ini, 11);
    dialogFont = ReadIniFont("DIALOG", "DIALOGFONT", kDefaultFont, ini);
    frameRefreshTime = ReadIniIntInRange("SYSTEM", "FRAMEREFRESHTIME", 10, ini, 2, 100, true);
    serverPort = ReadPort(ini, "SERVERPORT", 19460);
    serverTrapPort = ReadPort(ini, "SERVERTRAPPORT", 19461);
    snmpPort = ReadPort(ini, "SNMPPORT", 161);
    snmpTrapPort = ReadPort(ini, "SNMPTRAPPORT", 162);
    serverWait = ReadIniIntInRange("LINK", "SERVERWAIT", 35000, ini, 3000, 900000, true);
    pingInterval = ReadIniIntInRange("LINK", "PINGINTERVAL", 30000, ini, 10000, 240000, true);
    snmpWait = ReadIniIntInRange("LINK", "SNMPWAIT", 3000, ini, 1000, 240000, true);
    snmpRetry = static_cast<std::uint8_t>(ReadIniIntInRange("LINK", "SNMPRETRY", 3, ini, 0, 20, true));
    infoDefFile = ReadIniString("SYSTEM", "INFODEFFILE", ".\\EntConf\\EntInfo.dat", ini);
    alarmDefFile = ReadIniString("SYSTEM", "ALARMDEFFILE", ".\\EntConf\\EntAlm.dat", ini);
    skinDefFile = ReadIniString("SYSTEM", "SKINDEFFILE", ".\\EntConf\\EntSkin.dat", ini);
    mapDefFile = ReadIniString("SYSTEM", "MAPDEFFILE", ".\\Map\\Map.dat", ini);
    flash = ParseAlarmSignalCode(ReadIniString("ALARM", "FLASH", "NO", ini));
    flashCycle = ReadIniIntInRange("ALARM", "FLASHCYCLE", 2, ini, 1, 10, true);
    beep = ParseAlarmSignalCode(ReadIniString("ALARM", "BEEP", "NO", ini));
    beepFile = ReadIniStringN("ALARM", "BEEPFILE", "", ini, 128);
    beepOffInterval = ReadIniIntInRange("ALARM", "BEEPOFFINTERVAL", 60, ini, 0, 3600, true);
    hisAlarmRecCnt = ReadIniIntInRange("ALARM", "HISALARMRECCNT", 100, ini, 10, 5000, true);
    trapLogSize = ReadIniIntInRange("ALARM", "TRAPLOGSIZE", 1000, ini, 1, 20000, true);
    ParseTrapLogFilter(ReadIniString("ALARM", "TRAPLOGFILTER", "0,0,0,0xFF", ini), trapLogFilter);
    mapPreload = ReadIniBool("MAP", "PRELOAD", true, ini);
    gradCoorSys = ReadIniBool("MAP", "GRADCOORSYS", true, ini);
    hintMsgTextColor = ReadIniColor("DIALOG", "HINTMSGTEXTCOLOR", 0x800000, ini);
    hintMsgBkColor = ReadIniColor("DIALOG", "HINTMSGBKCOLOR", 0xFFFFC0, ini);
    errMsgTextColor = ReadIniColor("DIALOG", "ERRMSGTEXTCOLOR", 0x0000FF, ini);
    errMsgBkColor = ReadIniColor("DIALOG", "ERRMSGBKCOLOR", 0xC0FFFF, ini);

    // Keys other parts of the program act on, and the link's own switches.
    winSkinFile = ReadIniString("SYSTEM", "WINSKINFILE", ".\\Skin\\Skin.dat", ini);
    winSplashFile = ReadIniString("SYSTEM", "WINSPLASHFILE", ".\\Logo\\Logo.dat", ini);
    telnetExe = ReadIniString("SYSTEM", "TELNETEXE", "", ini);
    telnetPort = ReadIniWord("SYSTEM", "TELNETPORT", 23, ini);
    syncNeTimeAfterLogin = ReadIniBool("SYSTEM", "SYNCNETIMEAFTERLOGIN", false, ini);
    syncNeTimeMaxYear = ReadIniIntInRange("SYSTEM", "SYNCNETIMEMAXYEAR", 2000, ini, 1997, 2038, true);
    noOfflineMenu = ReadIniBool("SYSTEM", "NOOFFLINEMENU", false, ini);
    locIndicator = ReadIniBool("SYSTEM", "LOCINDICATOR", true, ini);
    portTip = ReadIniBool("SYSTEM", "PORTTIP", true, ini);
    focusFrame = ReadIniBool("SYSTEM", "FOCUSFRAME", true, ini);
    sysFont = ReadIniFont("SYSTEM", "SYSFONT", kDefaultFont, ini);
    changePort = ReadIniBool("SYSTEM", "CHANGEPORT", false, ini);
    pduLogToFile = ReadIniBool("PDULOG", "PDULOGTOFILE", false, ini);
    netDrvToFile = ReadIniBool("PDULOG", "NETDRVTOFILE", false, ini);
    netDrvAgentToFile = ReadIniBool("PDULOG", "NETDRVAGENTTOFILE", false, ini);
    netDrvCommToFile = ReadIniBool("PDULOG", "NETDRVCOMMTOFILE", false, ini);
    pollInterval = ReadIniIntInRange("ALARM", "POLLINTERVAL", 30, ini, 0, 3600, true);

    ReadLiveSettings(ini);
}

void CAppSettings::ReadLiveSettings(const CIniFile& ini)
{
    // Stored only when changed: the periodic read then never writes while the file stays as it is.
    UpdateIfChanged(company, ReadIniStringN("SYSTEM", "COMPANY", "", ini, 21));
    UpdateIfChanged(pduLogWin, ReadIniBool("PDULOG", "PDULOGWIN", false, ini));
    UpdateIfChanged(opLog, ReadIniBool("SYSTEM", "OPLOG", true, ini));
    UpdateIfChanged(autoSelIfLocChange, ReadIniBool("VIEW", "AUTOSELIFLOCCHANGE", true, ini));
}

ConfigReadResult CAppSettings::ReadFullSettings(const std::string& path)
{
    ConfigReadResult result;
    if (std::optional<CIniFile> ini = LoadConfigFile(path, result))
        ReadFullSettings(*ini);
    return result;
}

ConfigReadResult CAppSettings::ReadLiveSettings(const std::string& path)
{
    ConfigReadResult result;
    if (std::optional<CIniFile> ini = LoadConfigFile(path, result))
        ReadLiveSettings(*ini);
    return result;
}

bool CAppSettings::SaveSettingsSection(const std::string& path, std::string_view section, std::string* error) const
{
    const std::vector<IniEdit> edits = SettingsSectionEdits(section);
    // One replacement of the file for the whole section.
    return edits.empty() || WriteIniEdits(path, edits, error);
}

std::vector<IniEdit> CAppSettings::SettingsSectionEdits(std::string_view section) const
{
    const bool all = section.empty();
    const bool system = all || IniNameEquals(section, "SYSTEM");
    const bool link = IniNameEquals(section, "LINK");
    const bool alarm = all || IniNameEquals(section, "ALARM");
    const bool map = all || IniNameEquals(section, "MAP");

    std::vector<IniEdit> edits;
    if (system) {
        edits.push_back(IniBoolEdit("SYSTEM", "DIRECTCONTROL", directControl));
        edits.push_back(IniStringEdit("SYSTEM", "SERVERIP", FormatAddress(serverIp)));
        edits.push_back(IniStringEdit("SYSTEM", "USERNAME", userName));
        edits.push_back(IniBoolEdit("SYSTEM", "OPLOG", opLog));
    }
    if (system || link) {
        edits.push_back(IniIntEdit("LINK", "SERVERPORT", serverPort));
        edits.push_back(IniIntEdit("LINK", "SERVERTRAPPORT", serverTrapPort));
        edits.push_back(IniIntEdit("LINK", "SNMPPORT", snmpPort));
        edits.push_back(IniIntEdit("LINK", "SNMPTRAPPORT", snmpTrapPort));
    }
    if (system)
        edits.push_back(IniBoolEdit("PDULOG", "PDULOGWIN", pduLogWin));
    if (all || link) {
        edits.push_back(IniIntEdit("LINK", "SERVERWAIT", serverWait));
        edits.push_back(IniIntEdit("LINK", "PINGINTERVAL", pingInterval));
        edits.push_back(IniIntEdit("LINK", "SNMPWAIT", snmpWait));
        edits.push_back(IniIntEdit("LINK", "SNMPRETRY", snmpRetry));
    }
    if (alarm) {
        edits.push_back(IniStringEdit("ALARM", "FLASH", FormatAlarmSignalCode(flash)));
        edits.push_back(IniIntEdit("ALARM", "FLASHCYCLE", flashCycle));
        edits.push_back(IniStringEdit("ALARM", "BEEP", FormatAlarmSignalCode(beep)));
        edits.push_back(IniStringEdit("ALARM", "BEEPFILE", beepFile));
        edits.push_back(IniIntEdit("ALARM", "BEEPOFFINTERVAL", beepOffInterval));
        edits.push_back(IniIntEdit("ALARM", "HISALARMRECCNT", hisAlarmRecCnt));
        edits.push_back(IniIntEdit("ALARM", "TRAPLOGSIZE", trapLogSize));
        edits.push_back(IniStringEdit("ALARM", "TRAPLOGFILTER", FormatTrapLogFilter(trapLogFilter)));
    }
    if (map)
        edits.push_back(IniBoolEdit("MAP", "GRADCOORSYS", gradCoorSys));
    return edits;
}

CAppSettings& AppSettings()
{
    static CAppSettings settings;
    return settings;
}

std::string GetAppTitle(const CAppSettings& settings)
{
    return settings.appName.empty() ? std::string("Tarvik") : settings.appName;
}

std::string ConfigFilePath()
{
    return PathInWorkingDirectory("Tarvik.ini");
}
