#pragma once
// The values a PVC's record carries, named once for the VC-to-VLAN list, its setting dialog, the rule check and the
// board settings: RFC2684 modes, service types, enable and row states, the MAC limits an operator may choose and the
// bits of the NE's rule-check verdict.

#include "core/util/vlan_id.h"
#include "link/records/pvc_rec.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr uint32_t kRfc2684Routed = 1;
inline constexpr uint32_t kRfc2684Bridged = 2;

inline constexpr uint32_t kPvcEnabled = 1;
inline constexpr uint32_t kPvcDisabled = 2;
inline constexpr uint32_t kPvcOperUp = 1;
inline constexpr uint32_t kPvcOperDown = 2;

// Row states of request 418.
inline constexpr uint32_t kPvcRowActive = 1;
inline constexpr uint32_t kPvcRowNotInService = 2;
inline constexpr uint32_t kPvcRowNotReady = 3;

// Service types (PvcRec::serviceType).
inline constexpr uint32_t kServicePppoe = 1;
inline constexpr uint32_t kServiceDhcp = 2;
inline constexpr uint32_t kServicePppoeDhcp = 3;
inline constexpr uint32_t kServiceStaticIp = 4;
inline constexpr uint32_t kServicePppoeStaticIp = 5;
inline constexpr uint32_t kServiceTransparent = 6;

inline bool IsStaticIpService(uint32_t serviceType)
{
    return serviceType == kServiceStaticIp || serviceType == kServicePppoeStaticIp;
}

// The service type a PVC read from the NE shows in the setting dialog: a type the program does not know shows as
// PPPoE+static IP.
inline uint32_t ShownServiceType(uint32_t serviceType)
{
    return serviceType >= kServicePppoe && serviceType <= kServiceTransparent ? serviceType : kServicePppoeStaticIp;
}

// The service type the setting dialog writes for its combo's choice (0 for none): none writes DHCP.
inline uint32_t WrittenServiceType(uint32_t chosen)
{
    return chosen != 0 ? chosen : kServiceDhcp;
}

// A PVC read from the NE with its VLAN and MAC limit as the setting dialog shows them and keeps them as read: a VLAN
// of 0 as 1 and one of 4094 or more as 4094, a MAC limit of 0 as 1 and one above 63 as 64.
inline PvcRec PvcAsShown(const PvcRec& read)
{
    constexpr uint8_t kMaxShownMacLimit = 64;
    PvcRec shown = read;
    shown.vlanId = std::clamp(read.vlanId, kFirstVlanId, kLastVlanId);
    shown.macLimit = read.macLimit == 0 ? uint8_t{1} : std::min(read.macLimit, kMaxShownMacLimit);
    return shown;
}

inline constexpr size_t kMaxPvcsPerPort = 8;
inline constexpr size_t kMaxStaticIpRanges = 8;
inline constexpr uint16_t kFirstVci = 32;
inline constexpr uint8_t kMaxUserPriority = 7;

// The MAC limits an operator chooses from, in the order the combo lists them.
inline constexpr std::array<uint8_t, 21> kPvcMacLimits = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                                                          12, 13, 14, 15, 16, 32, 40, 48, 56, 64};

// Bits of the rule-check verdict's error mask: bit i set, rule i broken.
namespace pvc_rule {
inline constexpr uint32_t Bit(unsigned n)
{
    return 1u << n;
}
inline constexpr unsigned kPortFull = 0;          // with kPortPvcs: the port holds 8 PVCs already
inline constexpr unsigned kEnabledLimits = 1;     // the PVC is counted as enabled already (hides 5 and 7)
inline constexpr unsigned kNewPvc = 2;            // the PVC does not exist yet
inline constexpr unsigned kCardPairs = 5;         // 32 enabled VPI/VCI pairs per line card
inline constexpr unsigned kPortPvcs = 6;          // with kPortFull: the port holds 8 PVCs already
inline constexpr unsigned kPortChannels = 7;      // 8 enabled PVCs and multicast channels per port
inline constexpr unsigned kMacBelowFdb = 8;       // MAC limit below the PVC's ACL and static entries
inline constexpr unsigned kIpOverMac = 10;        // bridged: IP amount above the MAC limit
inline constexpr unsigned kIpOver64 = 11;         // IP amount above 64 per PVC
inline constexpr unsigned kRoutedNotStatic = 13;  // a routed PVC must be static IP
inline constexpr unsigned kBroadcastDropped = 14; // DHCP-related or transparent, profile drops broadcast
inline constexpr unsigned kNoIpBase = 15;         // static IP without an IP base
inline constexpr unsigned kCardIpAmount = 18;     // 105 IP addresses per line card
inline constexpr unsigned kLastWithChannel = 19;  // the last enabled PVC of a port with an enabled channel
inline constexpr unsigned kMixedModes = 21;       // enabled PVCs of the card in another RFC2684 mode
inline constexpr unsigned kDscpPolicing = 25;     // DSCP policing forbids PPPoE-related and transparent
inline constexpr unsigned kIpConflict = 26;       // static IP invalid, reserved or taken by other PVCs
inline constexpr unsigned kVlanMacLimit = 27;     // enabled MAC limits above the VLAN's limit
inline constexpr unsigned kCardMacLimit = 29;     // 384 MAC limit units per line card
inline constexpr unsigned kClientOverMac = 30;    // bridged: client limit above the MAC limit
} // namespace pvc_rule
