#pragma once
// AlarmStatQueryRec (20 bytes, request 331): the history alarms and events of one NE to be counted per entity and
// severity.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kAlarmStatQueryRecSize = 20;

struct AlarmStatQueryRec {
    uint32_t firstEntity = 0;
    uint32_t lastEntity = 0;
    uint32_t severity = 0; // 0 any, 1..5
    uint32_t fromTime = 0; // 0 = open
    uint32_t toTime = 0;   // 0 = open
    bool operator==(const AlarmStatQueryRec&) const = default;
};

template <> struct RecordTable<AlarmStatQueryRec> {
    using R = AlarmStatQueryRec;
    static constexpr const char* kName = "AlarmStatQueryRec";
    static constexpr uint32_t kSize = kAlarmStatQueryRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::firstEntity>("firstEntity", 0), U32<&R::lastEntity>("lastEntity", 4), U32<&R::severity>("severity", 8),
        U32<&R::fromTime>("fromTime", 12),      U32<&R::toTime>("toTime", 16),
    };
};
