#pragma once
// NeAlarmLogRec (40 bytes): one entry of the NE's own alarm log (requests 328 and 329 in direct mode).

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kNeAlarmLogRecSize = 40;

struct NeAlarmLogRec {
    uint32_t recordNo = 0;
    uint32_t entityId = 0;
    uint32_t plannedType = 0;
    uint32_t actualType = 0;
    uint32_t alarmMask = 0;   // bit i = alarm definition i; no bit = the alarms are cleared
    uint32_t occurUptime = 0; // seconds since the NE started
    uint32_t alarmType = 0;
    std::array<uint8_t, 12> reserved{};
    bool operator==(const NeAlarmLogRec&) const = default;
};

void EncodeNeAlarmLogRec(const NeAlarmLogRec& rec, uint8_t* out);
std::array<uint8_t, kNeAlarmLogRecSize> EncodeNeAlarmLogRec(const NeAlarmLogRec& rec);
bool DecodeNeAlarmLogRec(const uint8_t* data, size_t size, NeAlarmLogRec* out);
