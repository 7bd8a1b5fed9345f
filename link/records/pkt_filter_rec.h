#pragma once
// PktFilterRec (68 bytes, request 635): one packet filter of an ADSL line card, named by the card's slot, its
// direction and its number. A query sends the record with only the slot set and is answered with the card's filters.
// Filter numbers: 1, 2 fully configured; 3, 4 Ether type only; 5..9 known (BOOTP, ARP / RARP, PPPoE, IGMP, multicast).
// In direct mode the NE keeps every filter of its ADSL cards; a write changes one.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kPktFilterRecSize = 68;
inline constexpr size_t kPktFilterNameWidth = 24;

struct PktFilterRec {
    uint8_t slot = 0;             // slot number of the line card
    uint32_t direction = 0;       // 1 upstream, 2 downstream
    uint32_t filterNumber = 0;    // 1..9
    std::string name;             // at most 20 characters entered
    int32_t etherType = 0;        // 0..65535; -1 not a criterion
    int32_t ipProtocol = 0;       // 0..255; -1 not a criterion
    int32_t sourcePort = 0;       // 0..65535; -1 no port criterion
    int32_t sourcePrefixBits = 0; // 11..16, 16 when unused
    int32_t destinationPort = 0;  // 0..65535; -1 none
    int32_t destinationPrefixBits = 0;
    int32_t action = 0; // 1 match-forward, 2 match-drop, 3 unmatch-drop
    uint32_t state = 0; // 1 enabled, 2 disabled
    bool operator==(const PktFilterRec&) const = default;
};

template <> struct RecordTable<PktFilterRec> {
    using R = PktFilterRec;
    static constexpr const char* kName = "PktFilterRec";
    static constexpr uint32_t kSize = kPktFilterRecSize;
    static constexpr RecordField kFields[] = {
        U8<&R::slot>("slot", 0).Key().Column(1),
        Reserved(1, 3),
        U32<&R::direction>("direction", 4).Key().Column(2),
        U32<&R::filterNumber>("filterNumber", 8).Key().Column(3),
        Text<&R::name>("name", 12, kPktFilterNameWidth).Column(4, kColumnWritable),
        I32<&R::etherType>("etherType", 36).Column(5, kColumnWritable),
        I32<&R::ipProtocol>("ipProtocol", 40).Column(6, kColumnWritable),
        I32<&R::sourcePort>("sourcePort", 44).Column(7, kColumnWritable),
        I32<&R::sourcePrefixBits>("sourcePrefixBits", 48).Column(8, kColumnWritable),
        I32<&R::destinationPort>("destinationPort", 52).Column(9, kColumnWritable),
        I32<&R::destinationPrefixBits>("destinationPrefixBits", 56).Column(10, kColumnWritable),
        I32<&R::action>("action", 60).Column(11, kColumnWritable),
        U32<&R::state>("state", 64).Column(12, kColumnWritable),
    };
};
