#pragma once
// The hardware readings both simulated peers report for request 337: what a fan tray, a power module and every
// other module of an NE measure, moving with time as a working NE's would. Fan speeds in revolutions per minute,
// voltages in millivolts, temperatures in degrees against the NE's temperature thresholds (request 338). One fan
// runs just above its low threshold all the time, so that a list always shows a reading near its threshold.

#include "link/records/hw_mon_rec.h"
#include "link/records/hw_mon_threshold_rec.h"

#include <cstdint>
#include <vector>

// A module of the NE that reports readings: its packed entity id and its model's menu class.
struct HardwareModule {
    uint32_t entityId = 0;
    uint8_t menuClass = 0;
};

// Menu classes of the modules with sensors of their own besides the temperature every module has.
inline constexpr uint8_t kPowerModuleMenuClass = 23;
inline constexpr uint8_t kFanTrayMenuClass = 24;

// The temperature thresholds of an NE before anybody sets them.
inline constexpr HwMonThresholdRec kDefaultTemperatureThresholds{70, 0};

// The readings of the modules, in module order, at `seconds` (any clock).
std::vector<HwMonRec> HardwareReadings(const std::vector<HardwareModule>& modules, const HwMonThresholdRec& temperature,
                                       uint32_t seconds);

// Whether an NE takes the thresholds: each within -20..100 and high above low.
bool AcceptsTemperatureThresholds(const HwMonThresholdRec& thresholds);
