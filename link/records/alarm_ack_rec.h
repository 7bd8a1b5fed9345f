#pragma once
// AlarmAckRec (84 bytes, request 333): the acknowledgement of the alarms of one entity.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kAlarmAckRecSize = 84;
inline constexpr size_t kAlarmAckPersonWidth = 12;
inline constexpr size_t kAlarmAckCommentWidth = 64;

struct AlarmAckRec {
    uint32_t entityId = 0; // packed entity id
    std::string person;    // empty = not acknowledged
    uint32_t ackTime = 0;  // seconds since 1970
    std::string comment;   // at most 60 characters are entered
    bool operator==(const AlarmAckRec&) const = default;
};

template <> struct RecordTable<AlarmAckRec> {
    using R = AlarmAckRec;
    static constexpr const char* kName = "AlarmAckRec";
    static constexpr uint32_t kSize = kAlarmAckRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key(),
        Text<&R::person>("person", 4, kAlarmAckPersonWidth),
        U32<&R::ackTime>("ackTime", 16),
        Text<&R::comment>("comment", 20, kAlarmAckCommentWidth),
    };
};
