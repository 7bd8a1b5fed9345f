#pragma once
// Ping ids and cancellation. A run is current while its id is the last id its counter issued; taking a newer id ends
// the run at its next check. Each purpose that must not be cut short by others holds a counter of its own.

#include "link/icmp/ping_request.h"

#include <atomic>
#include <cstdint>

class CPingCounter {
public:
    // Returns the counter's value and advances it, wrapping 255 to 0, in one step.
    uint8_t TakeId() { return value_.fetch_add(1, std::memory_order_acq_rel); }

    // True while id is the last one taken.
    bool IsCurrent(uint8_t id) const { return static_cast<uint8_t>(value_.load(std::memory_order_acquire) - 1) == id; }

private:
    std::atomic<uint8_t> value_{0};
};

// The program-wide counter of the client ping and traceroute runs.
CPingCounter& PingCounter();

// Stores the counter's value in request->id and advances the counter; a null request does nothing.
void NewPingId(PingRequest* request, CPingCounter& counter);
void NewPingId(PingRequest* request);
