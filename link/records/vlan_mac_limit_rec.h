#pragma once
// VlanMacLimitRec (12 bytes, request 530 query and modify): the limit of learned MAC addresses of one VLAN of an NE;
// the VLAN ID names it, and a query holding it gets that VLAN's.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kVlanMacLimitRecSize = 12;

struct VlanMacLimitRec {
    uint16_t vlanId = 0;   // 1..4094
    uint32_t macLimit = 0; // at most 384 per line-card slot of the NE
    uint32_t state = 0;    // 1 enabled, 2 disabled
    bool operator==(const VlanMacLimitRec&) const = default;
};

template <> struct RecordTable<VlanMacLimitRec> {
    using R = VlanMacLimitRec;
    static constexpr const char* kName = "VlanMacLimitRec";
    static constexpr uint32_t kSize = kVlanMacLimitRecSize;
    static constexpr RecordField kFields[] = {
        U16<&R::vlanId>("vlanId", 0).Key().Column(1),
        Reserved(2, 2),
        U32<&R::macLimit>("macLimit", 4).Column(2, kColumnWritable),
        U32<&R::state>("state", 8).Column(3, kColumnWritable),
    };
};
