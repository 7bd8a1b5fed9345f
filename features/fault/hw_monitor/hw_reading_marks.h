#pragma once
// How the hardware monitoring list marks a reading: in alarm (at or beyond a threshold), near a threshold (within the
// margins the configuration file gives), or normal; the text of its thresholds; and the cadence of the list's
// automatic refresh. Window-free, so that the rules are tested as tables.

#include "link/records/hw_mon_rec.h"

#include <cstdint>
#include <string>

// Kinds of reading.
inline constexpr uint32_t kHwKindFan = 1;
inline constexpr uint32_t kHwKindVoltage = 2;
inline constexpr uint32_t kHwKindTemperature = 3;

// How close to a threshold a reading counts as near: differences for fans and temperatures, percentages of the way
// from the reference to the threshold for voltages (section ALARM of the configuration file).
struct HwMargins {
    int32_t voltageLowPercent = 10;  // VOLMNALMLOWTHRESHPERC, 1..99
    int32_t voltageHighPercent = 10; // VOLMNALMHIGHTHRESHPERC, 1..99
    int32_t temperatureLow = 5;      // TEMPMNALMLOWTHRESHDIFF, 0..50
    int32_t temperatureHigh = 5;     // TEMPMNALMHIGHTHRESHDIFF, 0..50
    int32_t fanLow = 100;            // FANMNALARMLOWTHRESHDIFF, 0..1000
    int32_t fanHigh = 100;           // FANMNALARMHIGHTHRESHDIFF, 0..1000
    bool operator==(const HwMargins&) const = default;
};

// The margins as the configuration file gives them, each clamped to its range.
HwMargins ReadHwMargins(const std::string& configFile);

enum class HwMark : uint8_t { kNormal, kNear, kAlarm };

struct HwReadingClass {
    HwMark mark = HwMark::kNormal;
    std::string thresholds; // "low / high", with "--" for a threshold a single-threshold reading has not
    bool operator==(const HwReadingClass&) const = default;
};

HwReadingClass ClassifyReading(const HwMonRec& reading, const HwMargins& margins);

// The list's refresh period: DIALOG/DIALOGREFRESHTIME (1..60, clamped; 2 when absent) times 2 seconds.
int32_t ReadHwRefreshPeriodMs(const std::string& configFile);

// After an automatic refresh that was due at `dueMs` ended at `nowMs`: when it is due next and in how many
// milliseconds the timer is to fire. The cadence keeps its step while a refresh ends within one period of its due
// time; a later one (or a clock that went back) starts the cadence anew from now.
struct HwNextRefresh {
    int64_t dueMs = 0;
    int32_t timerMs = 0;
    bool operator==(const HwNextRefresh&) const = default;
};
HwNextRefresh NextHwRefresh(int64_t dueMs, int64_t nowMs, int32_t periodMs);
