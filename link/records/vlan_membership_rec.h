#pragma once
// VlanMembershipRec (90 bytes, request 481 query): the line ports and uplink ports that are members of one VLAN of an
// NE; the VLAN ID names it. A query sends 2 bytes and gets every VLAN.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kVlanMembershipRecSize = 90;
inline constexpr size_t kVlanMembershipBitmapSize = 86;

struct VlanMembershipRec {
    uint16_t vlanId = 0; // 1..4094; records with other values are ignored
    // Bit n set: member; bit 0 is the most significant bit of the first byte. Port p (1..48) of line-card slot k
    // (from 0) is bit k * 48 + p - 1.
    std::array<uint8_t, kVlanMembershipBitmapSize> members{};
    uint16_t uplinkFirstBit = 0; // the bit of the first of the two uplink ports
    bool operator==(const VlanMembershipRec&) const = default;
};

template <> struct RecordTable<VlanMembershipRec> {
    using R = VlanMembershipRec;
    static constexpr const char* kName = "VlanMembershipRec";
    static constexpr uint32_t kSize = kVlanMembershipRecSize;
    static constexpr RecordField kFields[] = {
        U16<&R::vlanId>("vlanId", 0).Key().Column(1),
        Bytes<&R::members>("members", 2).Column(2),
        U16<&R::uplinkFirstBit>("uplinkFirstBit", 88).Column(3),
    };
};
