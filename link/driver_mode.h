// The one current driver of the program. Before a successful login (and after a logout) it is the application's
// base driver, whose connect and send do nothing.
#pragma once

#include <functional>
#include <memory>

#include "link/net_drv.h"

inline constexpr int kDriverModeBase = 0;
inline constexpr int kDriverModeServer = 1;
inline constexpr int kDriverModeSnmp = 2;

using DriverFactory = std::function<std::unique_ptr<CNetDrv>()>;

// 1 = server driver, 2 = SNMP driver, anything else = the base driver. Shuts the previous driver down (its
// threads end inside this call) and starts the new one. 0, or the start's driver result code (the base driver is
// then current). UI thread.
int SetDriverMode(int mode);
int GetDriverMode();

// The current driver; never null.
CNetDrv& GetCurrentDriver();

// How mode 1 or 2 makes its driver. The server driver is known from the start; the SNMP driver registers itself.
// An empty factory leaves the mode with the base driver.
void SetDriverFactory(int mode, DriverFactory factory);
