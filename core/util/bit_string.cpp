#include "core/util/bit_string.h"

#include <algorithm>

int TestBit(std::span<const uint8_t> bits, size_t n)
{
    if (bits.data() == nullptr)
        return -1;
    if (n / 8 >= bits.size())
        return 0;
    return (bits[n / 8] & (0x80u >> (n % 8))) != 0 ? 1 : 0;
}

bool SetBit(std::span<uint8_t> bits, size_t n)
{
    if (bits.data() == nullptr || n / 8 >= bits.size())
        return false;
    bits[n / 8] = static_cast<uint8_t>(bits[n / 8] | (0x80u >> (n % 8)));
    return true;
}

void ClearBitString(std::span<uint8_t> bits, size_t bitCount)
{
    const size_t bytes = std::min(bits.size(), bitCount / 8 + (bitCount % 8 != 0 ? 1 : 0));
    std::fill_n(bits.begin(), bytes, uint8_t{0});
}

bool IsBitStringEmpty(std::span<const uint8_t> bytes, size_t byteCount)
{
    const size_t count = std::min(bytes.size(), byteCount);
    return std::all_of(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count),
                       [](uint8_t b) { return b == 0; });
}

int TestBit32(uint32_t mask, unsigned n)
{
    if (mask == 0)
        return -1;
    if (n >= 32)
        return 0;
    return (mask & (uint32_t{1} << n)) != 0 ? 1 : 0;
}

int TestBit16(uint16_t mask, unsigned n)
{
    if (mask == 0)
        return -1;
    if (n >= 16)
        return 0;
    return (mask & (1u << n)) != 0 ? 1 : 0;
}

uint16_t SetBit16(unsigned n)
{
    return n >= 16 ? uint16_t{0} : static_cast<uint16_t>(1u << n);
}
