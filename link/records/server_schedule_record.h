#pragma once
// ServerScheduleRecord (24 bytes, request 40 to the server): when the management server backs up the NEs and its own
// database and writes the NEs' configuration to flash, as three ScheduleEntryRecs. A query sends a 1-byte body.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kScheduleEntryRecSize = 8;
inline constexpr size_t kServerScheduleRecordSize = 24;

struct ScheduleEntryRec {
    uint32_t enabled = 0; // 1 on, 0 off
    uint8_t hour = 0;     // 0..23; 24 every hour
    uint8_t minute = 0;   // 0..59
    uint8_t weekday = 0;  // 0 Sunday .. 6 Saturday; 7 every day
    bool operator==(const ScheduleEntryRec&) const = default;
};

template <> struct RecordTable<ScheduleEntryRec> {
    using R = ScheduleEntryRec;
    static constexpr const char* kName = "ScheduleEntryRec";
    static constexpr uint32_t kSize = kScheduleEntryRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::enabled>("enabled", 0), U8<&R::hour>("hour", 4), U8<&R::minute>("minute", 5),
        U8<&R::weekday>("weekday", 6),  Reserved(7, 1),
    };
};

struct ServerScheduleRecord {
    ScheduleEntryRec neBackup;
    ScheduleEntryRec dbBackup;
    ScheduleEntryRec neFlashWrite;
    bool operator==(const ServerScheduleRecord&) const = default;
};

template <> struct RecordTable<ServerScheduleRecord> {
    using R = ServerScheduleRecord;
    static constexpr const char* kName = "ServerScheduleRecord";
    static constexpr uint32_t kSize = kServerScheduleRecordSize;
    static constexpr RecordField kFields[] = {
        Nested<&R::neBackup>("neBackup", 0),
        Nested<&R::dbBackup>("dbBackup", 8),
        Nested<&R::neFlashWrite>("neFlashWrite", 16),
    };
};
