#include "features/fault/hw_monitor/hw_reading_marks.h"

#include "core/config/ini_readers.h"
#include "core/ini/ini_file.h"

namespace {

std::string Thresholds(const std::string& low, const std::string& high)
{
    return low + " / " + high;
}

std::string Number(int32_t value)
{
    return std::to_string(value);
}

// Between the thresholds: near one of them, or normal.
HwMark MarkBetween(const HwMonRec& r, const HwMargins& m)
{
    const int64_t cur = r.currentValue;
    const int64_t low = r.lowThreshold;
    const int64_t high = r.highThreshold;
    switch (r.kind) {
    case kHwKindFan:
    case kHwKindTemperature: {
        const int64_t lowMargin = r.kind == kHwKindFan ? m.fanLow : m.temperatureLow;
        const int64_t highMargin = r.kind == kHwKindFan ? m.fanHigh : m.temperatureHigh;
        return cur - low <= lowMargin || high - cur <= highMargin ? HwMark::kNear : HwMark::kNormal;
    }
    case kHwKindVoltage: {
        // How far along the way from the reference to the threshold the reading has come.
        const int64_t ref = r.referenceValue;
        const float lowFactor = static_cast<float>(m.voltageLowPercent) * 0.01F;
        const float highFactor = static_cast<float>(m.voltageHighPercent) * 0.01F;
        if (ref == 0 || cur == ref)
            return HwMark::kNormal;
        if (cur < ref)
            return ref != low && static_cast<double>(cur - low) / static_cast<double>(ref - low) <= lowFactor
                       ? HwMark::kNear
                       : HwMark::kNormal;
        return ref != high && static_cast<double>(high - cur) / static_cast<double>(high - ref) <= highFactor
                   ? HwMark::kNear
                   : HwMark::kNormal;
    }
    default:
        return HwMark::kNormal;
    }
}

} // namespace

HwMargins ReadHwMargins(const std::string& configFile)
{
    const CIniFile ini = CIniFile::Load(configFile).value_or(CIniFile::Parse(""));
    auto read = [&](const char* key, int32_t fallback, int32_t minimum, int32_t maximum) {
        return ReadIniSignedInRange("ALARM", key, fallback, ini, minimum, maximum, true);
    };
    HwMargins margins;
    margins.voltageLowPercent = read("VOLMNALMLOWTHRESHPERC", 10, 1, 99);
    margins.voltageHighPercent = read("VOLMNALMHIGHTHRESHPERC", 10, 1, 99);
    margins.temperatureLow = read("TEMPMNALMLOWTHRESHDIFF", 5, 0, 50);
    margins.temperatureHigh = read("TEMPMNALMHIGHTHRESHDIFF", 5, 0, 50);
    margins.fanLow = read("FANMNALARMLOWTHRESHDIFF", 100, 0, 1000);
    margins.fanHigh = read("FANMNALARMHIGHTHRESHDIFF", 100, 0, 1000);
    return margins;
}

HwReadingClass ClassifyReading(const HwMonRec& r, const HwMargins& m)
{
    const int64_t cur = r.currentValue;
    const int64_t low = r.lowThreshold;
    const int64_t high = r.highThreshold;
    if (low != high) {
        const HwMark mark = cur <= low || cur >= high ? HwMark::kAlarm : MarkBetween(r, m);
        return {mark, Thresholds(Number(r.lowThreshold), Number(r.highThreshold))};
    }
    // One threshold: a fan's is its lowest speed, a temperature's its highest, a voltage's the value itself.
    switch (r.kind) {
    case kHwKindFan:
        return {cur <= low ? HwMark::kAlarm : (cur - low <= m.fanLow ? HwMark::kNear : HwMark::kNormal),
                Thresholds(Number(r.lowThreshold), "--")};
    case kHwKindTemperature:
        return {cur >= high ? HwMark::kAlarm : (high - cur <= m.temperatureHigh ? HwMark::kNear : HwMark::kNormal),
                Thresholds("--", Number(r.highThreshold))};
    case kHwKindVoltage:
        return {cur != low ? HwMark::kAlarm : HwMark::kNormal,
                Thresholds(Number(r.lowThreshold), Number(r.highThreshold))};
    default:
        return {HwMark::kNormal, Thresholds(Number(r.lowThreshold), Number(r.highThreshold))};
    }
}

int32_t ReadHwRefreshPeriodMs(const std::string& configFile)
{
    constexpr int32_t kStepMs = 2000;
    return static_cast<int32_t>(ReadIniIntInRange("DIALOG", "DIALOGREFRESHTIME", 2, configFile, 1, 60, true)) * kStepMs;
}

HwNextRefresh NextHwRefresh(int64_t dueMs, int64_t nowMs, int32_t periodMs)
{
    const int64_t late = nowMs - dueMs;
    if (late >= 0 && late < periodMs)
        return {dueMs + periodMs, static_cast<int32_t>(periodMs - late)};
    return {nowMs + periodMs, periodMs};
}
