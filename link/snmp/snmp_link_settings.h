#pragma once
// The configuration values the SNMP link works with, taken from the application's settings when the driver starts.

#include <cstdint>

struct SnmpLinkSettings {
    uint32_t waitMs = 3000;        // LINK/SNMPWAIT: per attempt
    uint8_t retries = 3;           // LINK/SNMPRETRY
    uint16_t trapPort = 162;       // LINK/SNMPTRAPPORT
    uint32_t pollIntervalS = 30;   // ALARM/POLLINTERVAL; 0 = no polling
    uint32_t echoTimeoutMs = 1000; // the reachability echo before connect and each request
    unsigned offlineAlarm = 0;     // OFFLINEALARM of the alarm definitions: the NE root's bit while it is silent
};

SnmpLinkSettings ReadSnmpLinkSettings();
