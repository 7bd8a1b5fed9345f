#pragma once
// The downstream rates of the IP traffic and multicast channel profiles, in Kbps: a whole number of 32 Kbps steps from
// 32 to 29984. What the IP traffic profile's edit holds is made such a rate when it loses the focus; the up-down
// control steps it by 32 and goes round at both ends; a stored rate shows raised to 32 or lowered to 30000, until the
// edit is left.

#include <cstdint>

inline constexpr uint32_t kProfileRateStep = 32;
inline constexpr uint32_t kProfileRateMin = 32;
inline constexpr uint32_t kProfileRateMax = 29984;
// The most a stored rate shows as.
inline constexpr uint32_t kProfileRateShownMax = 30000;

// The typed rate rounded down to a step, then brought into the range: 100 gives 96, 10 gives 32, 40000 gives 29984.
uint32_t RateOnLeavingEdit(uint32_t typed);
// The rate after `steps` clicks of the up-down control (negative: down), from the shown rate rounded down to a step;
// below the range it goes round to 29984, above it to 32.
uint32_t RateAfterSpin(uint32_t shown, int steps);
// A stored rate as the editor shows it: raised to 32, lowered to 30000, not rounded.
uint32_t RateAsLoaded(uint32_t stored);
