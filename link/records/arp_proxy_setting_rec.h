#pragma once
// ArpProxySettingRec (12 bytes, request 159): whether the NE answers ARP on behalf of its subscribers, and how long
// it keeps what it learns.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kArpProxySettingRecSize = 12;

struct ArpProxySettingRec {
    uint32_t state = 0;        // 1 enabled, 2 disabled
    uint32_t agingSeconds = 0; // written as half the life time
    uint32_t lifeSeconds = 0;  // 20..86400
    bool operator==(const ArpProxySettingRec&) const = default;
};

template <> struct RecordTable<ArpProxySettingRec> {
    using R = ArpProxySettingRec;
    static constexpr const char* kName = "ArpProxySettingRec";
    static constexpr uint32_t kSize = kArpProxySettingRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::state>("state", 0).Column(1, kColumnWritable),
        U32<&R::agingSeconds>("agingSeconds", 4).Column(2, kColumnWritable),
        U32<&R::lifeSeconds>("lifeSeconds", 8).Column(3, kColumnWritable),
    };
};
