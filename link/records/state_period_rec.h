#pragma once
// StatePeriodRec (8 bytes): an NE-wide function switched on or off with its period in seconds. Request 302 carries
// the unicast MAC aging (aging time 10..1000 s), request 314 the automatic synchronisation of the two control modules
// (period 30..3600 s).

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kStatePeriodRecSize = 8;

struct StatePeriodRec {
    uint32_t state = 0; // 1 enabled, 0 disabled; any other value reads as disabled
    uint32_t seconds = 0;
    bool operator==(const StatePeriodRec&) const = default;
};

template <> struct RecordTable<StatePeriodRec> {
    using R = StatePeriodRec;
    static constexpr const char* kName = "StatePeriodRec";
    static constexpr uint32_t kSize = kStatePeriodRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::state>("state", 0).Column(1, kColumnWritable),
        U32<&R::seconds>("seconds", 4).Column(2, kColumnWritable),
    };
};
