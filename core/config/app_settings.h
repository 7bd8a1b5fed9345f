#pragma once
// The client's settings from Tarvik.ini, held by the application. A full read takes every stored key (at start-up
// and after each re-login), a live read only the keys that follow edits of the file while the program runs (every
// 2 seconds); dialogs that change a setting save its section at once. Nothing is written at exit.
//
// The settings are read and saved on the UI thread. The values the link threads use (ports, time-outs, log switches)
// change only with a full read, which happens while no link is up; a live read stores a key only when the file's
// value differs from the held one.

#include "core/config/alarm_signal_code.h"
#include "core/config/font_spec.h"
#include "core/config/ini_readers.h"
#include "core/config/trap_log_filter.h"
#include "core/ini/ini_writer.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CIniFile;

// The outcome of reading the configuration file.
struct ConfigReadResult {
    bool read = false;               // false: the file could not be read and no setting changed
    std::string error;               // why not, naming the file
    std::vector<std::string> faults; // malformed lines, "<file>:<line>: <reason>: <text>"
};

class CAppSettings {
public:
    // SYSTEM
    std::string appName;                                 // APPNAME (255 characters); empty: the program's name
    bool directControl = false;                          // DIRECTCONTROL: direct link to one NE, else server link
    IniIpv4Address serverIp{127, 0, 0, 1};               // SERVERIP: the server, or the NE in direct mode
    std::string userName;                                // USERNAME (10 characters)
    std::uint32_t frameRefreshTime = 10;                 // FRAMEREFRESHTIME, view refresh period in 100 ms ticks
    std::string infoDefFile = ".\\EntConf\\EntInfo.dat"; // INFODEFFILE
    std::string alarmDefFile = ".\\EntConf\\EntAlm.dat"; // ALARMDEFFILE
    std::string skinDefFile = ".\\EntConf\\EntSkin.dat"; // SKINDEFFILE
    std::string mapDefFile = ".\\Map\\Map.dat";          // MAPDEFFILE
    std::string company;                                 // COMPANY (20 characters), live
    bool opLog = true;                                   // OPLOG: operator actions are logged to the server, live
    std::string winSkinFile = ".\\Skin\\Skin.dat";       // WINSKINFILE
    std::string winSplashFile = ".\\Logo\\Logo.dat";     // WINSPLASHFILE
    std::string telnetExe;                               // TELNETEXE; empty: "telnet"
    std::uint16_t telnetPort = 23;                       // TELNETPORT
    bool syncNeTimeAfterLogin = false;                   // SYNCNETIMEAFTERLOGIN
    std::uint32_t syncNeTimeMaxYear = 2000;              // SYNCNETIMEMAXYEAR
    bool noOfflineMenu = false;                          // NOOFFLINEMENU
    bool locIndicator = true;                            // LOCINDICATOR
    bool portTip = true;                                 // PORTTIP
    bool focusFrame = true;                              // FOCUSFRAME
    FontSpec sysFont{"Arial", 80, true};                 // SYSFONT, the frame font
    bool changePort = false;                             // CHANGEPORT: the ports may be edited in Client Options

    // DIALOG
    FontSpec dialogFont{"Arial", 80, true};    // DIALOGFONT
    std::uint32_t hintMsgTextColor = 0x800000; // HINTMSGTEXTCOLOR (0x00BBGGRR)
    std::uint32_t hintMsgBkColor = 0xFFFFC0;   // HINTMSGBKCOLOR
    std::uint32_t errMsgTextColor = 0x0000FF;  // ERRMSGTEXTCOLOR
    std::uint32_t errMsgBkColor = 0xC0FFFF;    // ERRMSGBKCOLOR

    // LINK
    std::uint16_t serverPort = 19460;     // SERVERPORT, server TCP port
    std::uint16_t serverTrapPort = 19461; // SERVERTRAPPORT, local port for server notifications
    std::uint16_t snmpPort = 161;         // SNMPPORT, NE SNMP port
    std::uint16_t snmpTrapPort = 162;     // SNMPTRAPPORT, local SNMP trap port
    std::uint32_t serverWait = 35000;     // SERVERWAIT, server request time-out, ms
    std::uint32_t pingInterval = 30000;   // PINGINTERVAL, keep-alive interval, ms
    std::uint32_t snmpWait = 3000;        // SNMPWAIT, SNMP time-out, ms
    std::uint8_t snmpRetry = 3;           // SNMPRETRY

    // ALARM
    AlarmSignalCode flash;              // FLASH
    std::uint32_t flashCycle = 2;       // FLASHCYCLE, seconds
    AlarmSignalCode beep;               // BEEP
    std::string beepFile;               // BEEPFILE (127 characters), wave file of the sound
    std::uint32_t beepOffInterval = 60; // BEEPOFFINTERVAL, silence interval, seconds
    std::uint32_t hisAlarmRecCnt = 100; // HISALARMRECCNT, records per history page
    std::uint32_t trapLogSize = 1000;   // TRAPLOGSIZE, capacity of the trap log ring
    TrapLogFilter trapLogFilter;        // TRAPLOGFILTER
    std::uint32_t pollInterval = 30;    // POLLINTERVAL, direct-mode NE poll, seconds; 0 = none

    // MAP
    bool mapPreload = true;  // PRELOAD: load map pictures in advance
    bool gradCoorSys = true; // GRADCOORSYS: decimal degrees, else deg/min/sec

    // PDULOG
    bool pduLogWin = false;         // PDULOGWIN: PDU log window shown, live
    bool pduLogToFile = false;      // PDULOGTOFILE: PDU.log
    bool netDrvToFile = false;      // NETDRVTOFILE: NetDrv.log and NetDrvThread.log
    bool netDrvAgentToFile = false; // NETDRVAGENTTOFILE
    bool netDrvCommToFile = false;  // NETDRVCOMMTOFILE

    // VIEW
    bool autoSelIfLocChange = true; // AUTOSELIFLOCCHANGE, live

    bool operator==(const CAppSettings&) const = default;

    // Every stored key, then the live keys. The definition files are named here, not opened. When the file cannot be
    // read, no setting changes.
    ConfigReadResult ReadFullSettings(const std::string& path);
    void ReadFullSettings(const CIniFile& ini);

    // The live keys only.
    ConfigReadResult ReadLiveSettings(const std::string& path);
    void ReadLiveSettings(const CIniFile& ini);

    // Writes the keys of one section: "SYSTEM", "LINK", "ALARM" or "MAP" (any case), or all of them for an empty
    // name. SYSTEM also writes the four LINK ports and PDULOG/PDULOGWIN; LINK writes the ports and the four time
    // settings; MAP writes GRADCOORSYS (the map list is saved with the maps). Another name writes nothing. Every other
    // line of the file is kept; false, with *error naming the file, when it cannot be written.
    bool SaveSettingsSection(const std::string& path, std::string_view section, std::string* error = nullptr) const;
    // The edits that SaveSettingsSection writes.
    std::vector<IniEdit> SettingsSectionEdits(std::string_view section) const;
};

// The process-wide settings of the application.
CAppSettings& AppSettings();

// The application title: APPNAME when not empty, else "Tarvik".
std::string GetAppTitle(const CAppSettings& settings);

// The configuration file: Tarvik.ini in the working directory.
std::string ConfigFilePath();
