#pragma once
// AlarmEventRec (120 bytes, the reply records of request 328 as the alarm lists read them): one active alarm, or one
// history alarm or event, held by the management server.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kAlarmEventRecSize = 120;
inline constexpr size_t kAlarmEventNameWidth = 21; // location and NE name
inline constexpr size_t kAlarmEventAckPersonWidth = 11;

struct AlarmEventRec {
    uint32_t recordNo = 0;
    uint32_t entityId = 0;
    uint32_t alarmMask = 0; // bit i = alarm definition i of the entity's model
    uint32_t severity = 0;  // 1 critical .. 5 info; other values count as 5
    uint32_t kind = 0;
    uint32_t plannedType = 0;
    uint32_t actualType = 0;
    uint32_t occurTime = 0;
    uint32_t receiveTime = 0;
    uint32_t clearTime = 0;
    std::string locationName;
    std::string neName;
    std::string ackPerson; // empty = not acknowledged
    uint32_t ackTime = 0;
    uint32_t alarmType = 0; // 0 none, 1 equipment, 2 communication, 3 environment
    bool operator==(const AlarmEventRec&) const = default;
};

template <> struct RecordTable<AlarmEventRec> {
    using R = AlarmEventRec;
    static constexpr const char* kName = "AlarmEventRec";
    static constexpr uint32_t kSize = kAlarmEventRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::recordNo>("recordNo", 0).Key(),
        U32<&R::entityId>("entityId", 4),
        U32<&R::alarmMask>("alarmMask", 8),
        U32<&R::severity>("severity", 12),
        U32<&R::kind>("kind", 16),
        U32<&R::plannedType>("plannedType", 20),
        U32<&R::actualType>("actualType", 24),
        U32<&R::occurTime>("occurTime", 28),
        U32<&R::receiveTime>("receiveTime", 32),
        U32<&R::clearTime>("clearTime", 36),
        Text<&R::locationName>("locationName", 40, kAlarmEventNameWidth),
        Text<&R::neName>("neName", 61, kAlarmEventNameWidth),
        Text<&R::ackPerson>("ackPerson", 82, kAlarmEventAckPersonWidth),
        Reserved(93, 3),
        U32<&R::ackTime>("ackTime", 96),
        U32<&R::alarmType>("alarmType", 100),
        Reserved(104, 16),
    };
};
