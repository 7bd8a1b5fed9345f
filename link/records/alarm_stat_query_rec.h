#pragma once
// AlarmStatQueryRec (20 bytes, request 331): the history alarms and events of one NE to be counted per entity and
// severity.

#include <array>
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

void EncodeAlarmStatQueryRec(const AlarmStatQueryRec& rec, uint8_t* out);
std::array<uint8_t, kAlarmStatQueryRecSize> EncodeAlarmStatQueryRec(const AlarmStatQueryRec& rec);
bool DecodeAlarmStatQueryRec(const uint8_t* data, size_t size, AlarmStatQueryRec* out);
