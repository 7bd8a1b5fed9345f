#include "link/driver_mode.h"

#include <atomic>
#include <map>
#include <mutex>

#include "link/driver_logs.h"
#include "link/driver_result.h"
#include "link/link_settings.h"
#include "link/server/net_drv_server_agent.h"

namespace {

struct DriverHolder {
    CNetDrv baseDriver;
    std::unique_ptr<CNetDrv> owned; // the driver of mode 1 or 2
    std::atomic<CNetDrv*> current{&baseDriver};
    std::atomic<int> mode{kDriverModeBase};
    std::mutex mutex; // SetDriverMode and the factories
    std::map<int, DriverFactory> factories{
        {kDriverModeServer, [] { return std::make_unique<CNetDrvServerAgent>(ReadLinkSettings()); }},
    };
};

DriverHolder& Holder()
{
    static DriverHolder holder;
    return holder;
}

} // namespace

int SetDriverMode(int mode)
{
    DriverHolder& h = Holder();
    std::lock_guard<std::mutex> lock(h.mutex);
    // Others see the base driver from here on; the old driver then ends its threads.
    h.current = &h.baseDriver;
    h.mode = kDriverModeBase;
    if (h.owned) {
        h.owned->Shutdown();
        h.owned.reset();
    }
    SetDriverLogSwitches(ReadDriverLogSwitches());
    WriteDriverLog(DriverLogKind::NetDrv, "driver mode %d", mode);
    if (mode != kDriverModeServer && mode != kDriverModeSnmp) {
        return kDrvOk;
    }
    auto it = h.factories.find(mode);
    if (it == h.factories.end() || !it->second) {
        WriteDriverLog(DriverLogKind::NetDrv, "no driver for mode %d: base driver stays", mode);
        return kDrvNotInitialised;
    }
    std::unique_ptr<CNetDrv> driver = it->second();
    if (!driver) {
        return kDrvMemoryInsufficient;
    }
    if (const int started = driver->Start(); started != kDrvOk) {
        return started;
    }
    h.owned = std::move(driver);
    h.current = h.owned.get();
    h.mode = mode;
    return kDrvOk;
}

int GetDriverMode()
{
    return Holder().mode;
}

CNetDrv& GetCurrentDriver()
{
    return *Holder().current.load();
}

void SetDriverFactory(int mode, DriverFactory factory)
{
    DriverHolder& h = Holder();
    std::lock_guard<std::mutex> lock(h.mutex);
    if (factory) {
        h.factories[mode] = std::move(factory);
    } else {
        h.factories.erase(mode);
    }
}
