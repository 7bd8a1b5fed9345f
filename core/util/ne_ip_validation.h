#pragma once
// Consistency check of an NE's management addressing: the NME and UGE interfaces, the cascaded management root with
// its subnet, and the default gateway.

#include <cstdint>

// Results of ValidateNeIpInterfaces: 0 or exactly one of these.
enum NeIpCheckResult : int {
    kNeIpConsistent = 0,
    kNmeIpFormatError = -11,
    kNmeMaskFormatError = -12,
    kNmeIpIsSubnetAddress = -13,
    kNmeIpIsBroadcastAddress = -14,
    kUgeIpFormatError = -21,
    kUgeMaskFormatError = -22,
    kUgeIpIsSubnetAddress = -23,
    kUgeIpIsBroadcastAddress = -24,
    kRootIpFormatError = -31,
    kCascadedMaskFormatError = -32,
    kRootIpIsSubnetAddress = -33,
    kRootIpIsBroadcastAddress = -34,
    kGatewayFormatError = -41,
    kGatewayIsSubnetAddress = -42,
    kGatewayIsBroadcastAddress = -43,
    kGatewayOutsideNmeAndUge = -44,
    kGatewayInCascadedSubnet = -45,
    kNmeIpEqualsUgeIp = -51,
    kNmeIpEqualsRootIp = -52,
    kNmeIpEqualsGateway = -53,
    kUgeIpEqualsRootIp = -54,
    kUgeIpEqualsGateway = -55,
    kRootIpEqualsGateway = -56,
    kNmeSubnetEqualsUgeSubnet = -61,
    kNmeSubnetEqualsCascadedSubnet = -62,
    kUgeSubnetEqualsCascadedSubnet = -63,
};

// Each argument points to 4 address bytes (null counts as 0.0.0.0). Checks, stopping at the first failure:
//  -11..-14, -21..-24, -31..-34: each interface's address (a unicast host address: first byte 1..223, not 127),
//      its mask (contiguous, prefix 1..30), then the address being its subnet's own or broadcast address;
//  -41..-44: the gateway's address, it being the subnet or broadcast address of the NME or UGE subnet, it lying in
//      neither of them;
//  -51..-56: two of NME, UGE, root and gateway being the same address;
//  -45: the gateway lying in the cascaded management subnet;
//  -61..-63: two subnets overlapping (compared under the shorter of their prefixes).
// Cascaded management that is not set up (root and cascaded mask both 0.0.0.0) takes part in no check.
int ValidateNeIpInterfaces(const uint8_t* nmeIp, const uint8_t* nmeMask, const uint8_t* ugeIp, const uint8_t* ugeMask,
                           const uint8_t* rootIp, const uint8_t* cascadedMask, const uint8_t* gateway);
