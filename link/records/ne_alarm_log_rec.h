#pragma once
// NeAlarmLogRec (40 bytes): one entry of the NE's own alarm log (requests 328 and 329 in direct mode).

#include "link/records/record_codec.h"

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

template <> struct RecordTable<NeAlarmLogRec> {
    using R = NeAlarmLogRec;
    static constexpr const char* kName = "NeAlarmLogRec";
    static constexpr uint32_t kSize = kNeAlarmLogRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::recordNo>("recordNo", 0).Key().Column(1), U32<&R::entityId>("entityId", 4).Column(2),
        U32<&R::plannedType>("plannedType", 8).Column(3), U32<&R::actualType>("actualType", 12).Column(4),
        U32<&R::alarmMask>("alarmMask", 16).Column(5),    U32<&R::occurUptime>("occurUptime", 20).Column(6),
        U32<&R::alarmType>("alarmType", 24).Column(7),    Bytes<&R::reserved>("reserved", 28),
    };
};
