#pragma once
// IgmpProxyRec (12 bytes, request 494 query and modify): the NE's IGMP proxy setting.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kIgmpProxyRecSize = 12;

struct IgmpProxyRec {
    uint32_t adminState = 0;           // 1 enabled; written as 1 or 0
    uint8_t robustness = 0;            // query retries, 1..5
    uint8_t queryResponseInterval = 0; // seconds
    uint32_t immediateLeave = 0;       // 1 on, 0 off
    bool operator==(const IgmpProxyRec&) const = default;
};

template <> struct RecordTable<IgmpProxyRec> {
    using R = IgmpProxyRec;
    static constexpr const char* kName = "IgmpProxyRec";
    static constexpr uint32_t kSize = kIgmpProxyRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::adminState>("adminState", 0).Column(1, kColumnWritable),
        U8<&R::robustness>("robustness", 4).Column(2, kColumnWritable),
        U8<&R::queryResponseInterval>("queryResponseInterval", 5).Column(3, kColumnWritable),
        Reserved(6, 2),
        U32<&R::immediateLeave>("immediateLeave", 8).Column(4, kColumnWritable),
    };
};
