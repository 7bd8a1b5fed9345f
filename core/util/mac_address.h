#pragma once
// MAC addresses: 6 bytes as the records carry them. Pointer arguments read or write 6 bytes; null has the meaning
// stated per function.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

using MacAddress = std::array<uint8_t, 6>;

// "%02x:%02x:%02x:%02x:%02x:%02x"; empty for null.
std::string FormatMacAddress(const uint8_t* mac);

// Six groups of one or two hexadecimal digits (either case) joined by one separator, the same each time: ":", "-",
// " " or ".". Nothing before or after.
bool IsValidMacAddressText(std::string_view text);
// The bytes of such a text; all zero when the text is not a MAC address.
MacAddress ParseMacAddress(std::string_view text);

// True when all six bytes are 0, and for null.
bool IsZeroMacAddress(const uint8_t* mac);
// Copies 6 bytes; a null source clears the destination; a null destination is left alone.
void CopyMacAddress(uint8_t* destination, const uint8_t* source);
// -1, 0 or 1 comparing the bytes from the first; null sorts first, two nulls are equal.
int CompareMacAddress(const uint8_t* a, const uint8_t* b);

inline std::string FormatMacAddress(const MacAddress& mac)
{
    return FormatMacAddress(mac.data());
}
inline bool IsZeroMacAddress(const MacAddress& mac)
{
    return IsZeroMacAddress(mac.data());
}
inline int CompareMacAddress(const MacAddress& a, const MacAddress& b)
{
    return CompareMacAddress(a.data(), b.data());
}
