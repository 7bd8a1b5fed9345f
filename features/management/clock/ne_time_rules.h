#pragma once
// The arithmetic of an NE's clock and time servers as the operator sets them: the workstation's time zone in whole
// hours, local dates and times of the C runtime (so that a test sets TZ), the update period in hours and minutes, and
// what a time server's text is. Window-free.

#include <cstdint>
#include <string_view>

// Whole hours east of GMT of a zone `secondsWest` seconds west of it, truncated toward zero (GMT+5:30 gives 5).
int TimeZoneHoursEast(long secondsWest);
// The workstation's own time zone, as the C runtime knows it (TZ).
int WorkstationTimeZoneHours();

// A local date and time of the workstation.
struct LocalDateTime {
    int year = 1970;
    int month = 1; // 1..12
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const LocalDateTime&) const = default;
};
// Seconds since 1970 of a local date and time (daylight saving as the C runtime decides it); 0 before 1970.
uint32_t SecondsOfLocal(const LocalDateTime& local);
LocalDateTime LocalOfSeconds(uint32_t seconds);

// The update period of the time servers.
inline constexpr uint32_t kMinUpdateMinutes = 1;
inline constexpr uint32_t kMaxUpdateMinutes = 1440;
inline constexpr uint32_t kMaxUpdateHours = 24;
inline constexpr uint32_t kMaxUpdateMinutesField = 60;
struct UpdatePeriod {
    uint32_t hours = 0;
    uint32_t minutes = 0;
    bool operator==(const UpdatePeriod&) const = default;
};
// A period the NE reports, kept within 1..1440 minutes, as hours and minutes.
UpdatePeriod SplitUpdatePeriod(uint32_t minutes);
// The hour field after a step of its spin: 0..24, the one end stepping round to the other.
uint32_t StepUpdateHours(uint32_t hours, int delta);

// What the operator typed as a time server.
enum class TimeServerText : uint8_t {
    kHostName,     // a name, or empty for none
    kIpAddress,    // four numbers of a usable host address
    kBadCharacter, // a character a name may not hold, at badCharacter
    kIncorrectIpAddress,
};
struct TimeServerCheck {
    TimeServerText kind = TimeServerText::kHostName;
    int badCharacter = -1;
};
// Every character must be one of a name; a text that begins with "0." is no address; a text of exactly four
// "."-separated parts, each beginning with a digit, is an IPv4 address whose parts are read as decimal numbers.
TimeServerCheck CheckTimeServerText(std::string_view text);
