#include "core/util/netmask.h"

namespace {

uint32_t MaskOfLength(unsigned prefixLength)
{
    if (prefixLength == 0)
        return 0;
    if (prefixLength >= 32)
        return 0xFFFFFFFFu;
    return ~(0xFFFFFFFFu >> prefixLength);
}

} // namespace

int NetmaskToPrefixLength(const uint8_t* mask)
{
    uint32_t value = IpToUInt32(mask);
    int length = 0;
    while (length < 32 && (value & (0x80000000u >> length)) != 0)
        ++length;
    return length;
}

IpAddress PrefixLengthToNetmask(unsigned prefixLength)
{
    return UInt32ToIp(MaskOfLength(prefixLength));
}

IpAddress ApplyPrefixLength(const uint8_t* address, unsigned prefixLength)
{
    return UInt32ToIp(IpToUInt32(address) & MaskOfLength(prefixLength));
}

bool IsContiguousNetmask(const uint8_t* mask)
{
    uint32_t value = IpToUInt32(mask);
    // The complement of a contiguous mask is 2^n - 1, which shares no bit with its successor.
    uint32_t hostBits = ~value;
    return (hostBits & (hostBits + 1)) == 0;
}

bool IsSubnetAddress(const uint8_t* address, const uint8_t* mask)
{
    return (IpToUInt32(address) & ~IpToUInt32(mask)) == 0;
}

bool IsSubnetBroadcastAddress(const uint8_t* address, const uint8_t* mask)
{
    return (IpToUInt32(address) | IpToUInt32(mask)) == 0xFFFFFFFFu;
}

bool IsInSubnet(const uint8_t* address, const uint8_t* subnetAddress, const uint8_t* mask)
{
    uint32_t m = IpToUInt32(mask);
    return (IpToUInt32(address) & m) == (IpToUInt32(subnetAddress) & m);
}
