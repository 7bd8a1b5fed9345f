#include "core/util/ne_ip_validation.h"

#include "core/util/ip_address.h"
#include "core/util/netmask.h"

namespace {

constexpr int kMinInterfacePrefix = 1;
constexpr int kMaxInterfacePrefix = 30; // a longer prefix leaves no host address besides subnet and broadcast

struct Interface {
    uint32_t address;
    uint32_t mask;
};

bool IsHostAddressFormat(uint32_t address)
{
    uint32_t first = address >> 24;
    return first >= 1 && first <= 223 && first != 127;
}

bool IsInterfaceMask(const uint8_t* mask)
{
    int prefix = NetmaskToPrefixLength(mask);
    return IsContiguousNetmask(mask) && prefix >= kMinInterfacePrefix && prefix <= kMaxInterfacePrefix;
}

// 0, or the first of the four codes (address, mask, subnet address, broadcast address) that applies.
int CheckInterface(const uint8_t* address, const uint8_t* mask, int firstCode)
{
    if (!IsHostAddressFormat(IpToUInt32(address)))
        return firstCode;
    if (!IsInterfaceMask(mask))
        return firstCode - 1;
    if (IsSubnetAddress(address, mask))
        return firstCode - 2;
    if (IsSubnetBroadcastAddress(address, mask))
        return firstCode - 3;
    return 0;
}

bool Contains(const Interface& subnet, uint32_t address)
{
    return (address & subnet.mask) == (subnet.address & subnet.mask);
}

bool Overlap(const Interface& a, const Interface& b)
{
    uint32_t shorter = a.mask & b.mask;
    return (a.address & shorter) == (b.address & shorter);
}

} // namespace

int ValidateNeIpInterfaces(const uint8_t* nmeIp, const uint8_t* nmeMask, const uint8_t* ugeIp, const uint8_t* ugeMask,
                           const uint8_t* rootIp, const uint8_t* cascadedMask, const uint8_t* gateway)
{
    if (int code = CheckInterface(nmeIp, nmeMask, kNmeIpFormatError))
        return code;
    if (int code = CheckInterface(ugeIp, ugeMask, kUgeIpFormatError))
        return code;
    const bool cascaded = !IsZeroIpAddress(rootIp) || !IsZeroIpAddress(cascadedMask);
    if (cascaded) {
        if (int code = CheckInterface(rootIp, cascadedMask, kRootIpFormatError))
            return code;
    }

    const Interface nme{IpToUInt32(nmeIp), IpToUInt32(nmeMask)};
    const Interface uge{IpToUInt32(ugeIp), IpToUInt32(ugeMask)};
    const Interface root{IpToUInt32(rootIp), IpToUInt32(cascadedMask)};
    const uint32_t gw = IpToUInt32(gateway);

    if (!IsHostAddressFormat(gw))
        return kGatewayFormatError;
    const bool inNme = Contains(nme, gw);
    const bool inUge = Contains(uge, gw);
    if ((inNme && (gw & ~nme.mask) == 0) || (inUge && (gw & ~uge.mask) == 0))
        return kGatewayIsSubnetAddress;
    if ((inNme && (gw | nme.mask) == 0xFFFFFFFFu) || (inUge && (gw | uge.mask) == 0xFFFFFFFFu))
        return kGatewayIsBroadcastAddress;
    if (!inNme && !inUge)
        return kGatewayOutsideNmeAndUge;

    // The equal-address checks come before the gateway's place in the cascaded subnet, so that a gateway set to the
    // root address gets the more precise message.
    if (nme.address == uge.address)
        return kNmeIpEqualsUgeIp;
    if (cascaded && nme.address == root.address)
        return kNmeIpEqualsRootIp;
    if (nme.address == gw)
        return kNmeIpEqualsGateway;
    if (cascaded && uge.address == root.address)
        return kUgeIpEqualsRootIp;
    if (uge.address == gw)
        return kUgeIpEqualsGateway;
    if (cascaded && root.address == gw)
        return kRootIpEqualsGateway;
    if (cascaded && Contains(root, gw))
        return kGatewayInCascadedSubnet;

    if (Overlap(nme, uge))
        return kNmeSubnetEqualsUgeSubnet;
    if (cascaded && Overlap(nme, root))
        return kNmeSubnetEqualsCascadedSubnet;
    if (cascaded && Overlap(uge, root))
        return kUgeSubnetEqualsCascadedSubnet;
    return kNeIpConsistent;
}
