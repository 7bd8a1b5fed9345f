#pragma once
// The reachability check of the found NEs, one NE at a time, away from the user interface thread: an echo can take
// a second to time out, and the discovery dialog keeps answering meanwhile. The check's result comes back on the
// user interface thread, through the pinger's own event queue, so it never reaches a dialog that has gone.
//
//     pinger_.Start(address, waitMs, [this](const IpAddress& address, bool online) { ... });

#include "core/util/ip_address.h"

#include <QObject>

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

class CDiscoveryPinger : public QObject {
    Q_OBJECT
public:
    // One echo to the address, waiting up to the time given; true when it was answered.
    using Probe = std::function<bool(const IpAddress& address, int32_t waitMs)>;
    using Done = std::function<void(const IpAddress& address, bool online)>;

    explicit CDiscoveryPinger(QObject* parent = nullptr);
    // Waits for a check under way; its result is dropped.
    ~CDiscoveryPinger() override;

    // The system's ICMP echo unless given.
    void SetProbe(Probe probe) { probe_ = std::move(probe); }
    bool IsBusy() const { return busy_.load(std::memory_order_acquire); }
    // Starts a check; false while one is under way.
    bool Start(const IpAddress& address, int32_t waitMs, Done done);

private:
    Probe probe_;
    std::thread worker_;
    std::atomic<bool> busy_{false};
};
