#pragma once
// AlarmQueryRec (48 bytes, request 328 in server mode): which active alarms, or which history alarms and events, the
// server is to return, and which page of them.

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kAlarmQueryRecSize = 48;
inline constexpr uint32_t kAlarmQueryMaxRecords = 5000;
inline constexpr uint32_t kAlarmQueryHistory = 0;
inline constexpr uint32_t kAlarmQueryActive = 1;

struct AlarmQueryRec {
    uint32_t firstEntity = 0;
    uint32_t lastEntity = 0;
    uint32_t severity = 0;    // 0 any, 1 critical .. 5 info
    uint32_t fromTime = 0;    // seconds since 1970; 0 = open
    uint32_t toTime = 0;      // seconds since 1970; 0 = open
    uint32_t firstRecord = 0; // 1-based
    uint32_t recordCount = 0; // at most 5000
    uint32_t locationId = 0;  // 0 = all
    uint32_t modelId = 0;     // 0 = any
    uint32_t alarmMask = 0;   // 0 = any
    uint32_t ackOnly = 0;     // 1 = only acknowledged alarms
    uint32_t queryMode = 0;   // 1 active alarms, 0 history alarms and events
    bool operator==(const AlarmQueryRec&) const = default;
};

void EncodeAlarmQueryRec(const AlarmQueryRec& rec, uint8_t* out);
std::array<uint8_t, kAlarmQueryRecSize> EncodeAlarmQueryRec(const AlarmQueryRec& rec);
bool DecodeAlarmQueryRec(const uint8_t* data, size_t size, AlarmQueryRec* out);
