#include "link/snmp/snmp_link_settings.h"

#include "core/config/app_settings.h"
#include "core/entity/entity_model_set.h"

SnmpLinkSettings ReadSnmpLinkSettings()
{
    const CAppSettings& app = AppSettings();
    SnmpLinkSettings settings;
    settings.waitMs = app.snmpWait;
    settings.retries = app.snmpRetry;
    settings.trapPort = app.snmpTrapPort;
    settings.pollIntervalS = app.pollInterval;
    settings.offlineAlarm = CurrentEntityModels().GetOfflineAlarm();
    return settings;
}
