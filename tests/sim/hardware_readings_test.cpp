// The readings the simulated peers report: which modules measure what, values that move yet stay where a working NE
// keeps them, the worn fan always near its low threshold, temperatures against the NE's thresholds, and the thresholds
// an NE takes.

#include "sim/seed/hardware_readings.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr uint32_t kFan = 1;
constexpr uint32_t kVoltage = 2;
constexpr uint32_t kTemperature = 3;

TEST(HardwareReadingsTest, EachModuleReportsItsSensorsWithinTheirThresholds)
{
    const std::vector<HardwareModule> modules = {
        {10100, 9}, {10600, kPowerModuleMenuClass}, {10700, kFanTrayMenuClass}};
    const HwMonThresholdRec thresholds{60, -5};
    for (uint32_t seconds = 0; seconds < 600; seconds += 7) {
        SCOPED_TRACE(seconds);
        const std::vector<HwMonRec> readings = HardwareReadings(modules, thresholds, seconds);
        ASSERT_EQ(readings.size(), 3u + 3u + 4u);
        std::set<std::tuple<uint32_t, uint32_t, uint32_t>> keys;
        for (const HwMonRec& r : readings) {
            keys.insert({r.entityId, r.kind, r.sensorIndex});
            EXPECT_GT(r.currentValue, r.lowThreshold) << r.name;
            EXPECT_LT(r.currentValue, r.highThreshold) << r.name;
            if (r.kind == kTemperature) {
                EXPECT_EQ(r.lowThreshold, -5);
                EXPECT_EQ(r.highThreshold, 60);
            }
            if (r.kind == kVoltage) {
                EXPECT_EQ(r.entityId, 10600u);
                EXPECT_NE(r.referenceValue, 0);
            }
            if (r.kind == kFan) {
                EXPECT_EQ(r.entityId, 10700u);
            }
            if (r.name == "Fan 3") {
                EXPECT_LE(r.currentValue - r.lowThreshold, 100) << "always near its low threshold";
            }
        }
        EXPECT_EQ(keys.size(), readings.size()) << "each reading named once";
    }
    // The values move.
    EXPECT_NE(HardwareReadings(modules, thresholds, 0).front().currentValue,
              HardwareReadings(modules, thresholds, 60).front().currentValue);
}

TEST(HardwareReadingsTest, AnNeTakesThresholdsWithinItsRangeHighAboveLow)
{
    EXPECT_TRUE(AcceptsTemperatureThresholds({70, 0}));
    EXPECT_TRUE(AcceptsTemperatureThresholds({100, -20}));
    EXPECT_FALSE(AcceptsTemperatureThresholds({101, 0}));
    EXPECT_FALSE(AcceptsTemperatureThresholds({50, -21}));
    EXPECT_FALSE(AcceptsTemperatureThresholds({10, 10}));
    EXPECT_FALSE(AcceptsTemperatureThresholds({5, 10}));
}

} // namespace
