#pragma once
// Ping ids and cancellation. A run is current while its id is the last id its counter issued; taking a newer id ends
// the run at its next check. Each purpose that must not be cut short by others holds a counter of its own.

#include "link/icmp/ping_request.h"

#include <atomic>
#include <cstdint>

class CPingCounter {
public:
    // Returns the counter's value and advances it, wrapping 255 to 0, in one step.
    uint8_t TakeId()
    {
        uint32_t state = state_.load(std::memory_order_acquire);
        while (!state_.compare_exchange_weak(state, (state & ~kValueMask) | ((state + 1) & kValueMask),
                                             std::memory_order_acq_rel)) {
        }
        return static_cast<uint8_t>(state & kValueMask);
    }
    // Sets the value back to 0 (a dialog that starts its numbering afresh). The runs begun before end at their next
    // check even when their id is issued again, so that an old run never writes into a new one's output.
    void Reset()
    {
        uint32_t state = state_.load(std::memory_order_acquire);
        while (!state_.compare_exchange_weak(state, (state | kValueMask) + 1, std::memory_order_acq_rel)) {
        }
    }
    // What a run notes as it begins, for IsCurrent.
    uint32_t Epoch() const { return state_.load(std::memory_order_acquire) & ~kValueMask; }

    // True while id is the last one taken (and, with an epoch, no reset came since the run noted it).
    bool IsCurrent(uint8_t id) const { return static_cast<uint8_t>(Value() - 1) == id; }
    bool IsCurrent(uint8_t id, uint32_t epoch) const
    {
        const uint32_t state = state_.load(std::memory_order_acquire);
        return (state & ~kValueMask) == epoch && static_cast<uint8_t>((state & kValueMask) - 1) == id;
    }

private:
    static constexpr uint32_t kValueMask = 0xFF;
    uint8_t Value() const { return static_cast<uint8_t>(state_.load(std::memory_order_acquire) & kValueMask); }

    std::atomic<uint32_t> state_{0}; // the value in the low byte, the resets above it
};

// The program-wide counter of the client ping and traceroute runs.
CPingCounter& PingCounter();

// Stores the counter's value in request->id and advances the counter; a null request does nothing.
void NewPingId(PingRequest* request, CPingCounter& counter);
void NewPingId(PingRequest* request);
