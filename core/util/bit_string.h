#pragma once
// Bit strings as the records carry them (bit 0 is the most significant bit of byte 0) and 16/32-bit masks (bit n has
// the value 1 << n).

#include <cstddef>
#include <cstdint>
#include <span>

// 1 when bit n is set, 0 when it is clear or lies beyond the string, -1 for no string (a null span).
int TestBit(std::span<const uint8_t> bits, size_t n);
// Sets bit n; false (nothing written) for no string or a bit beyond it.
bool SetBit(std::span<uint8_t> bits, size_t n);
// Zeroes the bytes that hold the first bitCount bits (never beyond the string).
void ClearBitString(std::span<uint8_t> bits, size_t bitCount);
// True when the first byteCount bytes (at most the whole string) are all 0; true for no string.
bool IsBitStringEmpty(std::span<const uint8_t> bytes, size_t byteCount);

// 1 when (1 << n) is set in the mask, 0 when clear (also for n >= 32), -1 when the whole mask is 0.
int TestBit32(uint32_t mask, unsigned n);
// The same for 16 bits.
int TestBit16(uint16_t mask, unsigned n);
// The 16-bit mask with only bit n set; 0 for n >= 16.
uint16_t SetBit16(unsigned n);
