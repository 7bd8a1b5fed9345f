#pragma once
// The work of one tick of the frame's 100 ms timer and the alarm blink phase, as plain functions of the counters.
// Window-free.

#include <cstdint>

// The tick counter runs from 0 up to (but not including) this value.
inline constexpr uint32_t kFrameTickWrap = 300000;

struct FrameTickWork {
    uint32_t counter = 0;      // the counter after this tick
    bool refreshViews = false; // every `refreshPeriod` ticks, or at once when asked
    bool applyQueued = false;  // queued server messages and the PDU log window, every 10 ticks
    bool readLiveKeys = false; // the live configuration keys, every 20 ticks
};

// The counter is advanced first; the work falls on the ticks whose new counter is 1 modulo its period (1, 11, 21 ...
// for a period of 10). A period below 2 refreshes on every tick.
FrameTickWork NextFrameTick(uint32_t counter, uint32_t refreshPeriod, bool refreshNow);

// On during the second half of each flash period, counted in 100 ms ticks: (refreshCount x refreshPeriod) mod
// (flashCycle x 10) >= (flashCycle x 10) / 2. Off without a flash cycle.
bool IsBlinkPhaseOn(uint32_t refreshCount, uint32_t refreshPeriod, uint32_t flashCycleSeconds);
