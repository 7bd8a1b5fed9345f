#pragma once
// DhcpBroadcastControlRec (12 bytes, request 505 query and modify): the NE's rate limit of DHCP broadcasts.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kDhcpBroadcastControlRecSize = 12;

struct DhcpBroadcastControlRec {
    uint32_t state = 0;     // 1 enabled; written as 1 or 0
    uint32_t rateLimit = 0; // packets per second, 1..100000
    uint32_t action = 0;    // beyond the limit: 0 none, 1 drop, 2 alarm, 3 drop and alarm
    bool operator==(const DhcpBroadcastControlRec&) const = default;
};

template <> struct RecordTable<DhcpBroadcastControlRec> {
    using R = DhcpBroadcastControlRec;
    static constexpr const char* kName = "DhcpBroadcastControlRec";
    static constexpr uint32_t kSize = kDhcpBroadcastControlRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::state>("state", 0).Column(1, kColumnWritable),
        U32<&R::rateLimit>("rateLimit", 4).Column(2, kColumnWritable),
        U32<&R::action>("action", 8).Column(3, kColumnWritable),
    };
};
