#pragma once
// AlarmQueryRec (48 bytes, request 328 in server mode): which active alarms, or which history alarms and events, the
// server is to return, and which page of them.

#include "link/records/record_codec.h"

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

template <> struct RecordTable<AlarmQueryRec> {
    using R = AlarmQueryRec;
    static constexpr const char* kName = "AlarmQueryRec";
    static constexpr uint32_t kSize = kAlarmQueryRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::firstEntity>("firstEntity", 0),  U32<&R::lastEntity>("lastEntity", 4),
        U32<&R::severity>("severity", 8),        U32<&R::fromTime>("fromTime", 12),
        U32<&R::toTime>("toTime", 16),           U32<&R::firstRecord>("firstRecord", 20),
        U32<&R::recordCount>("recordCount", 24), U32<&R::locationId>("locationId", 28),
        U32<&R::modelId>("modelId", 32),         U32<&R::alarmMask>("alarmMask", 36),
        U32<&R::ackOnly>("ackOnly", 40),         U32<&R::queryMode>("queryMode", 44),
    };
};
