#pragma once
// AlarmEventRec (120 bytes, the reply records of request 328 as the alarm lists read them): one active alarm, or one
// history alarm or event, held by the management server.

#include <array>
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

void EncodeAlarmEventRec(const AlarmEventRec& rec, uint8_t* out);
std::array<uint8_t, kAlarmEventRecSize> EncodeAlarmEventRec(const AlarmEventRec& rec);
bool DecodeAlarmEventRec(const uint8_t* data, size_t size, AlarmEventRec* out);
