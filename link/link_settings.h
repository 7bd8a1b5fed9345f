// The configuration values the server link works with, taken from the application's settings when a driver starts.
#pragma once

#include <cstdint>

#include "link/driver_logs.h"

struct LinkSettings {
    uint32_t serverWaitMs = 35000;   // default request time-out, also the keep-alive reply limit
    uint32_t pingIntervalMs = 30000; // keep-alive period
    uint16_t serverTrapPort = 19461; // first UDP port tried for notifications
    uint32_t connectLimitMs = 60000;
    // The notification socket's receive buffer: a burst of some 70,000 state records. The kernel grants at most
    // net.core.rmem_max unless the process may pass it.
    int notificationBufferBytes = 4 * 1024 * 1024;
};

LinkSettings ReadLinkSettings();
DriverLogSwitches ReadDriverLogSwitches();

// SYSTEM/OPLOG as it is now: the server logs the operator's changes only while it is set. UI thread only (the
// settings are live there).
bool ReadOpLogFlag();
