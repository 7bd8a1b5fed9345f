#pragma once
// ServerAlarmEventRec (124 bytes): how the management server sends one record of the reply to request 328. The
// server link turns each into an AlarmEventRec before the caller sees the reply.

#include <array>
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

void EncodeServerAlarmEventRec(const ServerAlarmEventRec& rec, uint8_t* out);
std::array<uint8_t, kServerAlarmEventRecSize> EncodeServerAlarmEventRec(const ServerAlarmEventRec& rec);
bool DecodeServerAlarmEventRec(const uint8_t* data, size_t size, ServerAlarmEventRec* out);

// The mask as the server writes it.
std::string FormatServerAlarmMask(uint32_t mask);
