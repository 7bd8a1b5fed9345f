#pragma once
// IgmpSnoopingRec (20 bytes, request 493 query and modify): the NE's IGMP snooping setting.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kIgmpSnoopingRecSize = 20;

struct IgmpSnoopingRec {
    uint32_t adminState = 0; // 1 enabled; written as 1 or 0
    uint32_t agingTime = 0;  // MAC aging, seconds, 1..600
    bool operator==(const IgmpSnoopingRec&) const = default;
};

template <> struct RecordTable<IgmpSnoopingRec> {
    using R = IgmpSnoopingRec;
    static constexpr const char* kName = "IgmpSnoopingRec";
    static constexpr uint32_t kSize = kIgmpSnoopingRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::adminState>("adminState", 0).Column(1, kColumnWritable),
        Reserved(4, 4),
        U32<&R::agingTime>("agingTime", 8).Column(2, kColumnWritable),
        Reserved(12, 8),
    };
};
