#pragma once
// DhcpSettingRec (8 bytes, request 500 query and modify): the NE's DHCP relay and option 82 switches.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kDhcpSettingRecSize = 8;

struct DhcpSettingRec {
    uint32_t relay = 0;    // 1 enabled; written as 1 or 0
    uint32_t option82 = 0; // 1 enabled; written as 1 or 0
    bool operator==(const DhcpSettingRec&) const = default;
};

template <> struct RecordTable<DhcpSettingRec> {
    using R = DhcpSettingRec;
    static constexpr const char* kName = "DhcpSettingRec";
    static constexpr uint32_t kSize = kDhcpSettingRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::relay>("relay", 0).Column(1, kColumnWritable),
        U32<&R::option82>("option82", 4).Column(2, kColumnWritable),
    };
};
