#include "link/link_settings.h"

#include "core/config/app_settings.h"

LinkSettings ReadLinkSettings()
{
    const CAppSettings& app = AppSettings();
    LinkSettings settings;
    settings.serverWaitMs = app.serverWait;
    settings.pingIntervalMs = app.pingInterval;
    settings.serverTrapPort = app.serverTrapPort;
    return settings;
}

DriverLogSwitches ReadDriverLogSwitches()
{
    const CAppSettings& app = AppSettings();
    DriverLogSwitches switches;
    switches.netDrv = app.netDrvToFile;
    switches.agent = app.netDrvAgentToFile;
    switches.comm = app.netDrvCommToFile;
    switches.pdu = app.pduLogToFile;
    return switches;
}

bool ReadOpLogFlag()
{
    return AppSettings().opLog;
}
