#pragma once
// ProtocolVlanRec (44 bytes, requests 540 query and modify, 541 add, 542 delete): the VLAN an NE puts untagged
// subscriber frames of one Ethernet type into; the Ethernet type names it.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kProtocolVlanRecSize = 44;
inline constexpr size_t kProtocolVlanNameWidth = 34;

struct ProtocolVlanRec {
    uint16_t etherType = 0;
    std::string name;    // at most 32 characters
    uint16_t vlanId = 0; // 1..4094
    uint32_t state = 0;  // 1 enabled, 2 disabled
    bool operator==(const ProtocolVlanRec&) const = default;
};

template <> struct RecordTable<ProtocolVlanRec> {
    using R = ProtocolVlanRec;
    static constexpr const char* kName = "ProtocolVlanRec";
    static constexpr uint32_t kSize = kProtocolVlanRecSize;
    static constexpr RecordField kFields[] = {
        U16<&R::etherType>("etherType", 0).Key().Column(1),
        Text<&R::name>("name", 2, kProtocolVlanNameWidth).Column(2, kColumnWritable),
        U16<&R::vlanId>("vlanId", 36).Column(3, kColumnWritable),
        Reserved(38, 2),
        U32<&R::state>("state", 40).Column(4, kColumnWritable),
    };
};
