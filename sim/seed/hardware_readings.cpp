#include "sim/seed/hardware_readings.h"

#include <cmath>

namespace {

constexpr uint32_t kFan = 1;
constexpr uint32_t kVoltage = 2;
constexpr uint32_t kTemperature = 3;
constexpr int32_t kThresholdMin = -20;
constexpr int32_t kThresholdMax = 100;

// A value swinging by `amplitude` around `centre` with a period of `period` seconds, shifted by `phase`.
int32_t Swing(int32_t centre, int32_t amplitude, uint32_t period, uint32_t phase, uint32_t seconds)
{
    constexpr double kTwoPi = 6.283185307179586;
    const double angle = kTwoPi * static_cast<double>((seconds + phase) % period) / period;
    return centre + static_cast<int32_t>(std::lround(amplitude * std::sin(angle)));
}

HwMonRec Reading(uint32_t entityId, uint32_t kind, uint32_t index, const char* name, int32_t value, int32_t reference,
                 int32_t low, int32_t high)
{
    HwMonRec rec;
    rec.entityId = entityId;
    rec.kind = kind;
    rec.sensorIndex = index;
    rec.name = name;
    rec.currentValue = value;
    rec.referenceValue = reference;
    rec.lowThreshold = low;
    rec.highThreshold = high;
    return rec;
}

} // namespace

std::vector<HwMonRec> HardwareReadings(const std::vector<HardwareModule>& modules, const HwMonThresholdRec& temperature,
                                       uint32_t seconds)
{
    std::vector<HwMonRec> readings;
    for (const HardwareModule& module : modules) {
        const uint32_t id = module.entityId;
        const uint32_t phase = id % 97;
        if (module.menuClass == kFanTrayMenuClass) {
            constexpr int32_t kLow = 2000;
            constexpr int32_t kHigh = 9000;
            readings.push_back(Reading(id, kFan, 1, "Fan 1", Swing(4200, 150, 90, phase, seconds), 0, kLow, kHigh));
            readings.push_back(Reading(id, kFan, 2, "Fan 2", Swing(4500, 150, 75, phase, seconds), 0, kLow, kHigh));
            // A worn fan, never stopped but always close to its low threshold.
            readings.push_back(Reading(id, kFan, 3, "Fan 3", Swing(2040, 30, 60, phase, seconds), 0, kLow, kHigh));
            readings.push_back(Reading(id, kFan, 4, "Fan 4", Swing(4400, 150, 80, phase, seconds), 0, kLow, kHigh));
        } else if (module.menuClass == kPowerModuleMenuClass) {
            readings.push_back(
                Reading(id, kVoltage, 1, "+3.3V", Swing(3300, 25, 70, phase, seconds), 3300, 3135, 3465));
            readings.push_back(
                Reading(id, kVoltage, 2, "+12V", Swing(12000, 150, 110, phase, seconds), 12000, 11400, 12600));
            readings.push_back(
                Reading(id, kVoltage, 3, "48V Input", Swing(52000, 900, 300, phase, seconds), 48000, 40000, 57000));
        }
        // Every module knows how warm it is: some run hotter than others.
        readings.push_back(Reading(id, kTemperature, 1, "Board Temperature",
                                   Swing(38 + static_cast<int32_t>(id / 100 % 5) * 3, 3, 120, phase, seconds), 0,
                                   temperature.low, temperature.high));
    }
    return readings;
}

bool AcceptsTemperatureThresholds(const HwMonThresholdRec& thresholds)
{
    auto inRange = [](int32_t value) { return value >= kThresholdMin && value <= kThresholdMax; };
    return inRange(thresholds.high) && inRange(thresholds.low) && thresholds.high > thresholds.low;
}
