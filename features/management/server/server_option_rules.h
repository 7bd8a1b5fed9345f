#pragma once
// The management server's options and schedules as the pages of Server Management hold them, and the records written
// from them. Window-free.
//
// Loading keeps the pages within what they offer: a number the server sent outside a page's range shows as the nearer
// bound, the date/time synchronisation is on from an interval of one hour (its hours the whole hours of it), and a
// schedule entry's weekday, hour or minute outside its combo or edit leaves the page's value as it was. Writing sends
// what the pages hold. The record allows "every hour" (24) for each entry; only the NE flash writes' combo offers it,
// and an entry the server keeps at 24 is written back as 24.
//
//     ServerOptionValues values;            // the pages' defaults
//     ApplyServerOptions(optionReply, values);
//     ApplyServerSchedule(scheduleReply, values.schedules);
//     ... the pages exchange their controls with `values` ...
//     Modify(kReqServerOption, 0, ServerOptionRecordOf(values)); Modify(kReqServerSchedule, 0, ScheduleRecordOf(...));

#include "link/records/server_option_record.h"
#include "link/records/server_schedule_record.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kNmsManagerRows = 5;
inline constexpr uint32_t kSecondsPerHour = 3600;
// A schedule's hour that stands for every hour, and the weekday that stands for every day.
inline constexpr int kEveryHour = 24;
inline constexpr int kEveryDay = 7;

// The ranges the pages offer (spins and range checks).
inline constexpr uint32_t kMinSnmpTimeout = 1, kMaxSnmpTimeout = 30;
inline constexpr uint32_t kMaxSnmpRetries = 9;
inline constexpr uint32_t kMaxAlarmPollMinutes = 1440;
inline constexpr uint32_t kMaxAlarmDays = 30;   // history alarms, and PM and traffic
inline constexpr uint32_t kMaxDailyPmDays = 99; // 1-day PM and traffic
inline constexpr uint32_t kMaxOpLogDays = 365;
inline constexpr uint32_t kMinTimeSyncHours = 1, kMaxTimeSyncHours = 240; // the spin's
inline constexpr uint32_t kMaxHoursField = 0xFFFF;                        // the hours edit holds 16 bits
inline constexpr uint32_t kMaxPort = 0xFFFF;
inline constexpr int kMaxMinute = 59;

// One NMS manager: an empty row while its address is 0.0.0.0.
struct NmsManagerRow {
    std::array<uint8_t, 4> address{};
    uint16_t trapPort = 0;
    bool IsEmpty() const { return address == std::array<uint8_t, 4>{}; }
    bool operator==(const NmsManagerRow&) const = default;
};

// One schedule entry as its page shows it: the check, and the positions of the weekday and hour combos (which are the
// wire values), and the minute.
struct ScheduleValues {
    int enabled = 0;
    int weekday = 0;
    int hour = 0;
    int minute = 0;
    bool operator==(const ScheduleValues&) const = default;
};

// The entries in the record's order.
enum ScheduleEntry { kNeBackupEntry, kDbBackupEntry, kNeFlashWriteEntry, kScheduleEntries };

// What the pages hold, starting with their defaults.
struct ServerOptionValues {
    // SNMP: typed values are limited only by their fields.
    uint32_t snmpTimeout = 3;
    uint32_t snmpRetries = 0;
    uint32_t alarmPollMinutes = 60;
    // Log Expiration, in days.
    uint32_t historyAlarmDays = 1;
    uint32_t pmDays = 1;
    uint32_t dailyPmDays = 1;
    uint32_t opLogDays = 1;
    // Alarm Notification.
    std::string smtpServer;
    std::string senderEmail;
    // NE Auto-sync.
    int profileSync = 0;
    int timeSync = 0;
    uint32_t timeSyncHours = 24;
    // North Bound.
    uint32_t agentPort = 20161;
    int trapSending = 0; // the radio: 0 Disabled, 1 Enabled
    std::string community = "pridox";
    std::array<NmsManagerRow, kNmsManagerRows> managers{};
    int allowUnknownManagers = 0;
    // Auto-Backup/Save.
    std::array<ScheduleValues, kScheduleEntries> schedules{};
};

// The server's options as the pages show them.
void ApplyServerOptions(const ServerOptionRecord& rec, ServerOptionValues& values);
ServerOptionRecord ServerOptionRecordOf(const ServerOptionValues& values);

// The server's schedules as the backup page shows them; a field outside its combo or edit keeps the page's value.
void ApplyServerSchedule(const ServerScheduleRecord& rec, std::array<ScheduleValues, kScheduleEntries>& schedules);
ServerScheduleRecord ServerScheduleRecordOf(const std::array<ScheduleValues, kScheduleEntries>& schedules);
