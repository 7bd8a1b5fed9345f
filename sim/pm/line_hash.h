#pragma once
// The hashing the simulated lines draw their randomness from: a port, a salt and a number (a minute, a tone) give
// the same value every time, so that both simulated peers and the tests see the same line.

#include <cstdint>

inline uint64_t SplitMix(uint64_t x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// A number in [0, 1) from a hash.
inline double UnitOf(uint64_t hash)
{
    return static_cast<double>(hash >> 11) / static_cast<double>(1ull << 53);
}
