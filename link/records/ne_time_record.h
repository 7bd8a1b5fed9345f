#pragma once
// NeTimeRecord (12 bytes, request 300): the NE's up time, clock and time zone.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kNeTimeRecordSize = 12;

struct NeTimeRecord {
    uint32_t upTime = 0;  // seconds since the NE started (read only)
    uint32_t neClock = 0; // seconds since 1970-01-01 00:00:00
    int16_t timeZone = 0; // whole hours east of GMT
    uint16_t unused = 0;  // bytes 10..11
    bool operator==(const NeTimeRecord&) const = default;
};

// In direct mode the up time is sysUpTime.0; clock and zone are private scalars.
template <> struct RecordTable<NeTimeRecord> {
    using R = NeTimeRecord;
    static constexpr const char* kName = "NeTimeRecord";
    static constexpr uint32_t kSize = kNeTimeRecordSize;
    static constexpr RecordField kFields[] = {
        U32<&R::upTime>("upTime", 0).Column(1, kColumnUpTime, "1.3.6.1.2.1.1.3.0"),
        U32<&R::neClock>("neClock", 4).Column(2, kColumnWritable),
        I16<&R::timeZone>("timeZone", 8).Column(3, kColumnWritable),
        U16<&R::unused>("unused", 10),
    };
};
