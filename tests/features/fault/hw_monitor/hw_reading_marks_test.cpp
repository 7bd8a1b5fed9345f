// How a hardware reading is marked against its thresholds, the margins and refresh period the configuration file
// gives (clamped to their ranges), and the cadence of the automatic refresh.

#include "features/fault/hw_monitor/hw_reading_marks.h"

#include "tests/ui/shell/app/app_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

HwMonRec Reading(uint32_t kind, int32_t current, int32_t reference, int32_t low, int32_t high)
{
    HwMonRec rec;
    rec.kind = kind;
    rec.currentValue = current;
    rec.referenceValue = reference;
    rec.lowThreshold = low;
    rec.highThreshold = high;
    return rec;
}

TEST(HwReadingMarksTest, ReadingsAreMarkedByKindThresholdsAndMargins)
{
    struct Case {
        const char* what;
        HwMonRec reading;
        HwMark mark;
        const char* thresholds;
    };
    const Case cases[] = {
        {"a fan well inside", Reading(kHwKindFan, 3000, 0, 2000, 9000), HwMark::kNormal, "2000 / 9000"},
        {"a fan within the low margin", Reading(kHwKindFan, 2100, 0, 2000, 9000), HwMark::kNear, "2000 / 9000"},
        {"a fan just past the low margin", Reading(kHwKindFan, 2101, 0, 2000, 9000), HwMark::kNormal, "2000 / 9000"},
        {"a fan at its low threshold", Reading(kHwKindFan, 2000, 0, 2000, 9000), HwMark::kAlarm, "2000 / 9000"},
        {"a fan within the high margin", Reading(kHwKindFan, 8900, 0, 2000, 9000), HwMark::kNear, "2000 / 9000"},
        {"a fan just past the high margin", Reading(kHwKindFan, 8899, 0, 2000, 9000), HwMark::kNormal, "2000 / 9000"},
        {"a fan above its high threshold", Reading(kHwKindFan, 9100, 0, 2000, 9000), HwMark::kAlarm, "2000 / 9000"},
        {"a temperature within the high margin", Reading(kHwKindTemperature, 61, 0, 0, 65), HwMark::kNear, "0 / 65"},
        {"a temperature at the end of the high margin", Reading(kHwKindTemperature, 60, 0, 0, 65), HwMark::kNear,
         "0 / 65"},
        {"a temperature outside it", Reading(kHwKindTemperature, 59, 0, 0, 65), HwMark::kNormal, "0 / 65"},
        {"a temperature at the end of the low margin", Reading(kHwKindTemperature, 5, 0, 0, 65), HwMark::kNear,
         "0 / 65"},
        {"a temperature just past the low margin", Reading(kHwKindTemperature, 6, 0, 0, 65), HwMark::kNormal, "0 / 65"},
        {"a temperature at its high threshold", Reading(kHwKindTemperature, 65, 0, 0, 65), HwMark::kAlarm, "0 / 65"},
        {"a negative temperature below the low one", Reading(kHwKindTemperature, -21, 0, -20, 65), HwMark::kAlarm,
         "-20 / 65"},
        // Voltages: how far along from the reference to the threshold, 10 % of the way counting as near.
        {"a voltage without reference is never near", Reading(kHwKindVoltage, 3140, 0, 3135, 3465), HwMark::kNormal,
         "3135 / 3465"},
        {"a voltage near its low threshold", Reading(kHwKindVoltage, 3150, 3300, 3135, 3465), HwMark::kNear,
         "3135 / 3465"},
        {"a voltage below its reference, not near", Reading(kHwKindVoltage, 3160, 3300, 3135, 3465), HwMark::kNormal,
         "3135 / 3465"},
        {"a voltage near its high threshold", Reading(kHwKindVoltage, 3450, 3300, 3135, 3465), HwMark::kNear,
         "3135 / 3465"},
        {"a voltage at its reference", Reading(kHwKindVoltage, 3300, 3300, 3135, 3465), HwMark::kNormal, "3135 / 3465"},
        {"a voltage whose reference is its low threshold", Reading(kHwKindVoltage, 3136, 3135, 3135, 3465),
         HwMark::kNormal, "3135 / 3465"},
        {"a voltage below its reference that is its low threshold", Reading(kHwKindVoltage, 3130, 3135, 3135, 3465),
         HwMark::kAlarm, "3135 / 3465"},
        {"another kind between its thresholds", Reading(9, 1, 0, 0, 2), HwMark::kNormal, "0 / 2"},
        // One threshold.
        {"a fan with one threshold, above it", Reading(kHwKindFan, 2050, 0, 2000, 2000), HwMark::kNear, "2000 / --"},
        {"a fan with one threshold, at the end of its margin", Reading(kHwKindFan, 2100, 0, 2000, 2000), HwMark::kNear,
         "2000 / --"},
        {"a fan with one threshold, just past its margin", Reading(kHwKindFan, 2101, 0, 2000, 2000), HwMark::kNormal,
         "2000 / --"},
        {"a fan with one threshold, at it", Reading(kHwKindFan, 2000, 0, 2000, 2000), HwMark::kAlarm, "2000 / --"},
        {"a fan with one threshold, well above", Reading(kHwKindFan, 4000, 0, 2000, 2000), HwMark::kNormal,
         "2000 / --"},
        {"a temperature with one threshold, below", Reading(kHwKindTemperature, 61, 0, 65, 65), HwMark::kNear,
         "-- / 65"},
        {"a temperature with one threshold, at the end of its margin", Reading(kHwKindTemperature, 60, 0, 65, 65),
         HwMark::kNear, "-- / 65"},
        {"a temperature with one threshold, just past its margin", Reading(kHwKindTemperature, 59, 0, 65, 65),
         HwMark::kNormal, "-- / 65"},
        {"a temperature with one threshold, at it", Reading(kHwKindTemperature, 65, 0, 65, 65), HwMark::kAlarm,
         "-- / 65"},
        {"a temperature with one threshold, far below", Reading(kHwKindTemperature, 20, 0, 65, 65), HwMark::kNormal,
         "-- / 65"},
        {"a voltage at its only threshold", Reading(kHwKindVoltage, 48, 0, 48, 48), HwMark::kNormal, "48 / 48"},
        {"a voltage off its only threshold", Reading(kHwKindVoltage, 47, 0, 48, 48), HwMark::kAlarm, "48 / 48"},
        {"another kind with one threshold", Reading(9, 0, 0, 5, 5), HwMark::kNormal, "5 / 5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ClassifyReading(c.reading, HwMargins{}), (HwReadingClass{c.mark, c.thresholds}));
    }
}

TEST(HwReadingMarksTest, TheMarginsAreTheConfigurationsWithinTheirRanges)
{
    const app_test::CWorkDir dir;
    const std::filesystem::path ini = dir.Path() / "Tarvik.ini";
    EXPECT_EQ(ReadHwMargins(ini.string()), HwMargins{}) << "no file: the defaults";
    app_test::WriteText(ini, "[ALARM]\nVOLMNALMLOWTHRESHPERC=0\nVOLMNALMHIGHTHRESHPERC=100\n"
                             "TEMPMNALMLOWTHRESHDIFF=-3\nTEMPMNALMHIGHTHRESHDIFF=51\nFANMNALARMLOWTHRESHDIFF=250\n"
                             "[DIALOG]\nDIALOGREFRESHTIME=100\n");
    EXPECT_EQ(ReadHwMargins(ini.string()), (HwMargins{1, 99, 0, 50, 250, 100}));
    EXPECT_EQ(ReadHwRefreshPeriodMs(ini.string()), 120000);
    // Each past its other end.
    app_test::WriteText(ini, "[ALARM]\nVOLMNALMLOWTHRESHPERC=100\nVOLMNALMHIGHTHRESHPERC=0\n"
                             "TEMPMNALMLOWTHRESHDIFF=51\nTEMPMNALMHIGHTHRESHDIFF=-1\nFANMNALARMLOWTHRESHDIFF=1001\n"
                             "FANMNALARMHIGHTHRESHDIFF=-1\n");
    EXPECT_EQ(ReadHwMargins(ini.string()), (HwMargins{99, 1, 50, 0, 1000, 0}));
    app_test::WriteText(ini, "[ALARM]\nFANMNALARMHIGHTHRESHDIFF=1001\n");
    EXPECT_EQ(ReadHwMargins(ini.string()).fanHigh, 1000);
    app_test::WriteText(ini, "[DIALOG]\nDIALOGREFRESHTIME=0\n");
    EXPECT_EQ(ReadHwRefreshPeriodMs(ini.string()), 2000);
    app_test::WriteText(ini, "");
    EXPECT_EQ(ReadHwRefreshPeriodMs(ini.string()), 4000);

    // A wider margin makes a reading near that was not.
    HwMargins wide;
    wide.fanLow = 300;
    EXPECT_EQ(ClassifyReading(Reading(kHwKindFan, 2250, 0, 2000, 9000), wide).mark, HwMark::kNear);
    wide.voltageLowPercent = 50;
    EXPECT_EQ(ClassifyReading(Reading(kHwKindVoltage, 3200, 3300, 3135, 3465), wide).mark, HwMark::kNear);
}

TEST(HwReadingMarksTest, TheCadenceKeepsItsStepUnlessARefreshOverruns)
{
    struct Case {
        const char* what;
        int64_t due;
        int64_t now;
        HwNextRefresh next;
    };
    const Case cases[] = {
        {"on time", 10000, 10000, {14000, 4000}},
        {"a little late: the next one comes sooner", 10000, 10700, {14000, 3300}},
        {"late by almost a period", 10000, 13999, {14000, 1}},
        {"late by a whole period: anew from now", 10000, 14000, {18000, 4000}},
        {"late by more", 10000, 25000, {29000, 4000}},
        {"the clock went back: anew from now", 10000, 9000, {13000, 4000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(NextHwRefresh(c.due, c.now, 4000), c.next);
    }
}

} // namespace
