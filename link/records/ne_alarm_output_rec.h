#pragma once
// NeAlarmOutputRec (48 bytes, request 339 query and modify): one alarm output of an NE, a relay the NE drives while
// alarms of the chosen severities are present.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kNeAlarmOutputRecSize = 48;
inline constexpr size_t kNeAlarmOutputNameWidth = 34;

struct NeAlarmOutputRec {
    uint32_t entityId = 0;     // packed entity id of the output
    std::string name;          // at most 32 characters are entered
    uint16_t severityMask = 0; // bit 0 critical, 1 major, 2 minor, 3 warning
    uint32_t adminState = 0;   // 1 enabled, 2 disabled
    uint32_t currentState = 0; // 1 enabled, other values disabled
    bool operator==(const NeAlarmOutputRec&) const = default;
};

template <> struct RecordTable<NeAlarmOutputRec> {
    using R = NeAlarmOutputRec;
    static constexpr const char* kName = "NeAlarmOutputRec";
    static constexpr uint32_t kSize = kNeAlarmOutputRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key().Column(1),
        Text<&R::name>("name", 4, kNeAlarmOutputNameWidth).Column(2, kColumnWritable),
        U16<&R::severityMask>("severityMask", 38).Column(3, kColumnWritable),
        U32<&R::adminState>("adminState", 40).Column(4, kColumnWritable),
        U32<&R::currentState>("currentState", 44).Column(5),
    };
};
