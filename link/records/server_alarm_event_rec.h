#pragma once
// ServerAlarmEventRec (124 bytes): how the management server sends one record of the reply to request 328. The
// server link turns each into an AlarmEventRec before the caller sees the reply.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kServerAlarmEventRecSize = 124;
inline constexpr size_t kServerAlarmMaskWidth = 12;
inline constexpr size_t kServerAlarmNameWidth = 21; // location and NE name
inline constexpr size_t kServerAlarmAckPersonWidth = 11;

struct ServerAlarmEventRec {
    uint32_t recordNo = 0;
    uint32_t entityId = 0;
    std::string alarmMask; // hexadecimal text, "%08lX"; a leading "0x" is accepted
    uint32_t severity = 0;
    uint32_t kind = 0;
    uint32_t plannedType = 0;
    uint32_t actualType = 0;
    uint32_t occurTime = 0;
    uint32_t receiveTime = 0;
    uint32_t clearTime = 0;
    std::string locationName;
    std::string neName;
    std::string ackPerson;
    uint32_t ackTime = 0;
    uint32_t alarmType = 0;
    bool operator==(const ServerAlarmEventRec&) const = default;
};

template <> struct RecordTable<ServerAlarmEventRec> {
    using R = ServerAlarmEventRec;
    static constexpr const char* kName = "ServerAlarmEventRec";
    static constexpr uint32_t kSize = kServerAlarmEventRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::recordNo>("recordNo", 0),
        U32<&R::entityId>("entityId", 4),
        Text<&R::alarmMask>("alarmMask", 8, kServerAlarmMaskWidth),
        U32<&R::severity>("severity", 20),
        U32<&R::kind>("kind", 24),
        U32<&R::plannedType>("plannedType", 28),
        U32<&R::actualType>("actualType", 32),
        U32<&R::occurTime>("occurTime", 36),
        U32<&R::receiveTime>("receiveTime", 40),
        U32<&R::clearTime>("clearTime", 44),
        Text<&R::locationName>("locationName", 48, kServerAlarmNameWidth),
        Text<&R::neName>("neName", 69, kServerAlarmNameWidth),
        Text<&R::ackPerson>("ackPerson", 90, kServerAlarmAckPersonWidth),
        Reserved(101, 3),
        U32<&R::ackTime>("ackTime", 104),
        U32<&R::alarmType>("alarmType", 108),
        Reserved(112, 12),
    };
};

// The mask as the server writes it.
std::string FormatServerAlarmMask(uint32_t mask);
