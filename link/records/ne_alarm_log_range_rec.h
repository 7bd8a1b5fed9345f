#pragma once
// NeAlarmLogRangeRec (8 bytes): request 328 carries (first record number, last record number), request 329 carries
// (0, number of records).

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kNeAlarmLogRangeRecSize = 8;

struct NeAlarmLogRangeRec {
    uint32_t first = 0;
    uint32_t second = 0;
    bool operator==(const NeAlarmLogRangeRec&) const = default;
};

template <> struct RecordTable<NeAlarmLogRangeRec> {
    using R = NeAlarmLogRangeRec;
    static constexpr const char* kName = "NeAlarmLogRangeRec";
    static constexpr uint32_t kSize = kNeAlarmLogRangeRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::first>("first", 0),
        U32<&R::second>("second", 4),
    };
};
