#pragma once
// NeAlarmInputRec (52 bytes, request 336 query and modify): one dry-contact alarm input of an NE, an external sensor
// whose contact state raises an alarm.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kNeAlarmInputRecSize = 52;
inline constexpr size_t kNeAlarmInputNameWidth = 36;

struct NeAlarmInputRec {
    uint32_t entityId = 0;     // packed entity id of the input
    std::string name;          // at most 32 characters are entered
    uint32_t normalState = 0;  // 1 opened, 2 closed
    uint32_t adminState = 0;   // 1 enabled, 2 disabled
    uint32_t currentState = 0; // 1 opened, other values closed
    bool operator==(const NeAlarmInputRec&) const = default;
};

template <> struct RecordTable<NeAlarmInputRec> {
    using R = NeAlarmInputRec;
    static constexpr const char* kName = "NeAlarmInputRec";
    static constexpr uint32_t kSize = kNeAlarmInputRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key().Column(1),
        Text<&R::name>("name", 4, kNeAlarmInputNameWidth).Column(2, kColumnWritable),
        U32<&R::normalState>("normalState", 40).Column(3, kColumnWritable),
        U32<&R::adminState>("adminState", 44).Column(4, kColumnWritable),
        U32<&R::currentState>("currentState", 48).Column(5),
    };
};
