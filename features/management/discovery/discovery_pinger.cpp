#include "features/management/discovery/discovery_pinger.h"

#include "link/icmp/icmp_reachability.h"

#include <QMetaObject>

CDiscoveryPinger::CDiscoveryPinger(QObject* parent)
    : QObject(parent), probe_([](const IpAddress& address, int32_t waitMs) {
          return CheckIcmpReachable(address, waitMs) == IcmpReachability::kReachable;
      })
{
}

CDiscoveryPinger::~CDiscoveryPinger()
{
    if (worker_.joinable())
        worker_.join();
}

bool CDiscoveryPinger::Start(const IpAddress& address, int32_t waitMs, Done done)
{
    if (busy_.exchange(true, std::memory_order_acq_rel))
        return false;
    if (worker_.joinable())
        worker_.join();
    worker_ = std::thread([this, address, waitMs, probe = probe_, done = std::move(done)] {
        const bool online = probe(address, waitMs);
        // Queued to this object: dropped if it is deleted before the event loop gets there.
        QMetaObject::invokeMethod(
            this,
            [this, address, online, done] {
                busy_.store(false, std::memory_order_release);
                done(address, online);
            },
            Qt::QueuedConnection);
    });
    return true;
}
