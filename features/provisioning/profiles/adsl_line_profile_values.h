#pragma once
// What the six pages of the ADSL line profile editor show of one profile, and how a profile's record spreads over
// them and is made again from them. Rates are in kbit/s on the pages and in bit/s in the record, where the fast and
// the interleaved field of a rate carry the same value; the pages show the fast fields of a fast profile and the
// interleaved ones otherwise. A rate field of 0 leaves the page's value as it is. Window-free.

#include "link/records/adsl_line_profile_rec.h"

#include <cstdint>
#include <string>

// The radios of the Transmission Rate page, by their place in their group.
inline constexpr int kChannelInterleave = 0;
inline constexpr int kChannelFast = 1;
inline constexpr int kRateModeFixed = 0;
inline constexpr int kRateModeAdaptiveStartup = 1;
inline constexpr int kRateModeAdaptiveRuntime = 2;
// The radios of the Power Management page.
inline constexpr int kPowerAutomatic = 0;
inline constexpr int kPowerManual = 1;
inline constexpr int kL3Accept = 0;
inline constexpr int kL3Reject = 1;

inline constexpr int kLineStandardCount = 8;
inline constexpr int kInpIndexCount = 7; // 0, 1/2, 1, 2, 4, 8, 16 symbols

// The Transmission Rate page.
struct AdslTxRateValues {
    int channel = kChannelFast;
    int rateMode = kRateModeAdaptiveStartup;
    uint32_t downMin = 64; // kbit/s
    uint32_t upMin = 64;
    uint32_t downMax = 29984;
    uint32_t upMax = 2976;
    uint32_t downDelay = 6; // ms
    uint32_t upDelay = 6;
    bool operator==(const AdslTxRateValues&) const = default;
};

// One direction of the SNR Margin page: margins in 0.1 dB, times in seconds, as the record has them (a negative one
// too: the page's range refuses it at OK).
struct AdslSnrValues {
    int32_t minimum = 0;
    int32_t maximum = 310;
    int32_t target = 60;
    int32_t upshift = 200;
    int32_t downshift = 30;
    int32_t upshiftTime = 1000;
    int32_t downshiftTime = 1000;
    bool operator==(const AdslSnrValues&) const = default;
};

// The Power Management page.
struct AdslPowerValues {
    int mode = kPowerManual;
    uint32_t l2MinRate = 32; // kbit/s
    uint32_t l2MaxRate = 29984;
    uint32_t l0MinTime = 900; // seconds
    uint32_t l2LowRateTime = 300;
    int l3 = kL3Accept;
    bool operator==(const AdslPowerValues&) const = default;
};

// Every page; the defaults are what a new profile starts from.
struct AdslLineProfileValues {
    AdslTxRateValues rate;
    uint32_t lineStandards = 0xFF; // bit per standard, all permitted
    AdslSnrValues upSnr;
    AdslSnrValues downSnr;
    int32_t downPsd = 0; // 0.1 dBm/Hz
    int32_t upPsd = 0;
    AdslPowerValues power;
    int downInp = 0; // index of the INP combo
    int upInp = 0;
    bool operator==(const AdslLineProfileValues&) const = default;
};

// The profile's values over the defaults of the pages.
AdslLineProfileValues ValuesFromRecord(const AdslLineProfileRec& rec);
// The record the editor writes: the rates in both channel fields, the shift margins and times only in rate mode
// adaptive at run-time, no delays on a fast channel, status 1.
AdslLineProfileRec RecordFromValues(const std::string& name, const AdslLineProfileValues& values);
