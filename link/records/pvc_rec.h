#pragma once
// PvcRec (112 bytes, requests 410 query and modify, 412 delete): one permanent virtual circuit of an xDSL port, at
// most 8 to a port. A query sends a PvcRec holding the port's entity id; a delete one holding the port, VPI and VCI.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kPvcRecSize = 112;
inline constexpr size_t kPvcNameWidth = 33; // next-hop and IP traffic profile names

struct PvcRec {
    uint32_t portId = 0; // packed entity id of the port
    uint8_t vpi = 0;
    uint16_t vci = 0;             // 32..65535
    uint32_t rfc2684Mode = 0;     // 1 routed, 2 bridged
    uint16_t vlanId = 0;          // 1..4094, bridged mode
    uint8_t userPriority = 0;     // 0..7
    uint8_t macLimit = 0;         // 1..16, 32, 40, 48, 56 or 64
    std::string nextHopName;      // routed mode; empty when bridged
    std::string ipTrafficProfile; // the IP traffic profile's name
    uint32_t serviceType = 0;     // 1 PPPoE, 2 DHCP, 3 PPPoE+DHCP, 4 static IP, 5 PPPoE+static IP, 6 transparent
    std::array<uint8_t, 4> baseAddress{}; // shown by the list; 0.0.0.0 as the workstation writes it
    uint8_t dhcpIpLimit = 0;
    uint32_t operState = 0;   // 1 up, other values down; read only
    uint32_t enableState = 0; // 1 enabled, 2 disabled
    uint32_t aging = 0;       // 1 aged ("non-aged" disabled), 0 non-aged
    uint8_t clientLimit = 0;
    bool operator==(const PvcRec&) const = default;
};

template <> struct RecordTable<PvcRec> {
    using R = PvcRec;
    static constexpr const char* kName = "PvcRec";
    static constexpr uint32_t kSize = kPvcRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::portId>("portId", 0).Key().Column(1),
        U8<&R::vpi>("vpi", 4).Key().Column(2),
        Reserved(5, 1),
        U16<&R::vci>("vci", 6).Key().Column(3),
        U32<&R::rfc2684Mode>("rfc2684Mode", 8).Column(4, kColumnWritable),
        U16<&R::vlanId>("vlanId", 12).Column(5, kColumnWritable),
        U8<&R::userPriority>("userPriority", 14).Column(6, kColumnWritable),
        U8<&R::macLimit>("macLimit", 15).Column(7, kColumnWritable),
        Text<&R::nextHopName>("nextHopName", 16, kPvcNameWidth).Column(8, kColumnWritable),
        Text<&R::ipTrafficProfile>("ipTrafficProfile", 49, kPvcNameWidth).Column(9, kColumnWritable),
        Reserved(82, 2),
        U32<&R::serviceType>("serviceType", 84).Column(10, kColumnWritable),
        Ipv4<&R::baseAddress>("baseAddress", 88).Column(11),
        U8<&R::dhcpIpLimit>("dhcpIpLimit", 92).Column(12, kColumnWritable),
        Reserved(93, 3),
        U32<&R::operState>("operState", 96).Column(13),
        U32<&R::enableState>("enableState", 100).Column(14, kColumnWritable),
        U32<&R::aging>("aging", 104).Column(15, kColumnWritable),
        U8<&R::clientLimit>("clientLimit", 108).Column(16, kColumnWritable),
        Reserved(109, 3),
    };
};
