#pragma once
// IPv4 netmasks and the subnet tests that interface addressing is checked with.

#include "core/util/ip_address.h"

#include <cstdint>

// The number of leading one bits, 0..32 (bits after the first zero are not looked at); 0 for null.
int NetmaskToPrefixLength(const uint8_t* mask);
// The netmask of a prefix length; lengths above 32 count as 32.
IpAddress PrefixLengthToNetmask(unsigned prefixLength);
// The address masked to its first prefixLength bits (lengths above 32 count as 32); 0.0.0.0 for null.
IpAddress ApplyPrefixLength(const uint8_t* address, unsigned prefixLength);

// True when the ones of the mask are contiguous from the most significant bit (0.0.0.0 and 255.255.255.255 too).
bool IsContiguousNetmask(const uint8_t* mask);
// The host part of the address under the mask is all zeros (the subnet's own address).
bool IsSubnetAddress(const uint8_t* address, const uint8_t* mask);
// The host part of the address under the mask is all ones (the subnet's broadcast address).
bool IsSubnetBroadcastAddress(const uint8_t* address, const uint8_t* mask);
// The address lies in the subnet of (subnetAddress, mask).
bool IsInSubnet(const uint8_t* address, const uint8_t* subnetAddress, const uint8_t* mask);

inline int NetmaskToPrefixLength(const IpAddress& mask)
{
    return NetmaskToPrefixLength(mask.data());
}
inline IpAddress ApplyPrefixLength(const IpAddress& address, unsigned prefixLength)
{
    return ApplyPrefixLength(address.data(), prefixLength);
}
