#pragma once
// The alarm flash and beep settings (ALARM/FLASH, ALARM/BEEP): a severity level, where level n means this severity or
// a graver one, and a service-affecting flag. Written as one code: "NO", "SA", "CR", "MJ", "MN", "WN" or "IF".

#include <cstdint>
#include <string>
#include <string_view>

struct AlarmSignalCode {
    std::uint8_t level = 0;        // 0 off, 1 critical .. 5 info
    bool serviceAffecting = false; // alarms with secondary status 1, whatever their severity

    bool operator==(const AlarmSignalCode&) const = default;
};

// The code compared without regard to case; an unknown text gives level 0 without the flag.
AlarmSignalCode ParseAlarmSignalCode(std::string_view text);

// "SA" when the flag is set; else "NO" for level 0 or a level that is no severity; else "CR", "MJ", "MN", "WN", "IF".
std::string FormatAlarmSignalCode(const AlarmSignalCode& code);
