#pragma once
// AlarmTriggerRec (84 bytes, requests 35 query and modify, 36 add, 37 delete): one alarm notification trigger, kept
// by the management server for all NEs. The server mails the receiver when an alarm of the trigger's entity type and
// mask stays asserted longer than the threshold. A query sends AlarmTriggerQueryRec.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kAlarmTriggerRecSize = 84;
inline constexpr size_t kAlarmTriggerEmailWidth = 64;
inline constexpr size_t kAlarmTriggerQueryRecSize = 8;

struct AlarmTriggerRec {
    uint32_t triggerId = 0; // given by the server on add
    uint32_t neId = 0;
    uint32_t modelId = 0;   // the entity type
    uint32_t alarmMask = 0; // bit i: alarm definition i of the entity type
    uint32_t seconds = 0;   // threshold, 60..86400
    std::string email;      // the receiver, at most 60 characters entered
    bool operator==(const AlarmTriggerRec&) const = default;
};

template <> struct RecordTable<AlarmTriggerRec> {
    using R = AlarmTriggerRec;
    static constexpr const char* kName = "AlarmTriggerRec";
    static constexpr uint32_t kSize = kAlarmTriggerRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::triggerId>("triggerId", 0).Key(), U32<&R::neId>("neId", 4),
        U32<&R::modelId>("modelId", 8),           U32<&R::alarmMask>("alarmMask", 12),
        U32<&R::seconds>("seconds", 16),          Text<&R::email>("email", 20, kAlarmTriggerEmailWidth),
    };
};

// The body of a trigger query; the workstation sends {1, 5000}.
struct AlarmTriggerQueryRec {
    uint32_t first = 1;
    uint32_t count = 5000;
    bool operator==(const AlarmTriggerQueryRec&) const = default;
};

template <> struct RecordTable<AlarmTriggerQueryRec> {
    using R = AlarmTriggerQueryRec;
    static constexpr const char* kName = "AlarmTriggerQueryRec";
    static constexpr uint32_t kSize = kAlarmTriggerQueryRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::first>("first", 0),
        U32<&R::count>("count", 4),
    };
};
