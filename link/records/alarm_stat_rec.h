#pragma once
// AlarmStatRec (12 bytes, the reply records of request 331): how many history records one entity has of one
// severity.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kAlarmStatRecSize = 12;

struct AlarmStatRec {
    uint32_t entityId = 0;
    uint32_t severity = 0; // 1..5
    uint32_t count = 0;
    bool operator==(const AlarmStatRec&) const = default;
};

template <> struct RecordTable<AlarmStatRec> {
    using R = AlarmStatRec;
    static constexpr const char* kName = "AlarmStatRec";
    static constexpr uint32_t kSize = kAlarmStatRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key(),
        U32<&R::severity>("severity", 4).Key(),
        U32<&R::count>("count", 8),
    };
};
