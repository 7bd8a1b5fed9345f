#pragma once
// The rules of the rapid spanning tree settings, window-free: the ranges the NE's values are clamped to when they are
// shown, the stepping of the bridge and port priorities (multiples of 4096 and of 16, wrapping at the ends), the
// path cost's range under each version, and the two timing rules the bridge's times must follow while RSTP runs.

#include <array>
#include <cstdint>
#include <string>

inline constexpr uint32_t kRstpVersionRstp = 2;
inline constexpr uint32_t kRstpVersionStp = 0;

// A priority and its stepping: bridge priorities are multiples of 4096 up to 61440, port priorities multiples of 16
// up to 240.
struct PriorityScale {
    uint32_t step = 0;
    uint32_t most = 0;
};
inline constexpr PriorityScale kBridgePriorityScale{4096, 61440};
inline constexpr PriorityScale kPortPriorityScale{16, 240};

// A typed or received priority truncated down to a multiple of the step and capped at the most.
uint32_t NormalisePriority(uint32_t value, PriorityScale scale);
// One step of the priority's spin (delta +1 up, -1 down) from the value truncated: past the most it wraps to 0, below
// 0 to the most.
uint32_t StepPriority(uint32_t value, int delta, PriorityScale scale);

// The bridge's times as shown: max age 6..40, hello time 1..10, forward delay 4..30, tx hold count 1..10.
struct RstpTimes {
    uint32_t maxAge = 0;
    uint32_t helloTime = 0;
    uint32_t forwardDelay = 0;
    uint32_t txHoldCount = 0;
};
RstpTimes ClampRstpTimes(const RstpTimes& times);

// The range of a path cost under the version: 1..200000000 under RSTP, 1..65535 STP-compatible.
uint32_t MaxPathCost(uint32_t version);
uint32_t ClampPathCost(uint32_t cost, uint32_t version);
// What a port with the default path cost shows: 20000 under RSTP, 4 STP-compatible.
uint32_t DefaultPathCost(uint32_t version);

// The string id of the timing rule the times break, 0 when they follow both: 2 x (forward delay - 1) >= max age, then
// max age >= 2 x (hello time + 1).
uint32_t RstpTimingRefusal(uint32_t maxAge, uint32_t helloTime, uint32_t forwardDelay);

// A bridge ID as shown: "0x8000-00:10:A4:00:01:01", its priority in hexadecimal, then its MAC address.
std::string RstpBridgeIdText(uint16_t priority, const std::array<uint8_t, 6>& mac);
