#pragma once
// The program's 8-byte UTC time record and the arithmetic done on it.

#include <chrono>
#include <cstdint>

struct TimeRec {
    uint32_t days = 0;    // since 1970-01-01
    uint32_t msOfDay = 0; // milliseconds of the day, 0..86399999

    bool operator==(const TimeRec&) const = default;
};
static_assert(sizeof(TimeRec) == 8);

inline constexpr int64_t kMsPerDay = 86400000;

// A broken-down UTC time as the system clock gives it.
struct SystemTime {
    uint16_t year = 0;
    uint16_t month = 0;     // 1..12
    uint16_t dayOfWeek = 0; // 0 Sunday; not read
    uint16_t day = 0;       // 1..31
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t milliseconds = 0;
};

// 1 and the record; 0 (out untouched) for a missing argument or a time that is not a valid date and time from
// 1970-01-01 on.
int SystemTimeToTimeRec(const SystemTime* systemTime, TimeRec* out);
int SystemTimeToTimeRec(std::chrono::system_clock::time_point time, TimeRec* out);

// Now, in UTC, from the system clock.
TimeRec GetCurrentUtcTime();

// Adds signed milliseconds, carrying whole days at 86,400,000 ms in both directions. 1, or 0 (record untouched) for
// null or when the result would fall before 1970-01-01 or beyond the last day a record can hold.
int AddMsToTimeRec(TimeRec* rec, int64_t ms);

// Milliseconds from the first record to the second, negative when the second is earlier; null counts as day 0, ms 0.
// Wide enough for any two records.
int64_t TimeRecDiffMs(const TimeRec* from, const TimeRec* to);
