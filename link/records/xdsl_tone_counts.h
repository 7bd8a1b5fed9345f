#pragma once
// The tones of an ADSL line that the per-tone records carry, from tone 0.

#include <cstddef>

inline constexpr size_t kDownstreamToneCount = 512;
inline constexpr size_t kUpstreamToneCount = 64;
