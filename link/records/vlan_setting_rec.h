#pragma once
// VlanSettingRec (196 bytes, request 416): the VLAN MAC-limit check. Written with operation 2 carrying the VLAN ID,
// then read with operation 1: the reply gives the MAC-limit units that enabled PVCs and multicast channels have
// already committed to that VLAN. The record's other bytes carry nothing and are sent as zero.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kVlanSettingRecSize = 196;

struct VlanSettingRec {
    uint16_t vlanId = 0;         // 1..4094
    uint32_t committedUnits = 0; // in the reply
    bool operator==(const VlanSettingRec&) const = default;
};

template <> struct RecordTable<VlanSettingRec> {
    using R = VlanSettingRec;
    static constexpr const char* kName = "VlanSettingRec";
    static constexpr uint32_t kSize = kVlanSettingRecSize;
    static constexpr RecordField kFields[] = {
        U16<&R::vlanId>("vlanId", 162).Column(1, kColumnWritable),
        U32<&R::committedUnits>("committedUnits", 164).Column(2),
    };
};
