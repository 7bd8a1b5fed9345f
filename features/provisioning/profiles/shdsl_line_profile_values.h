#pragma once
// The values of the SHDSL line profile editor, without windows: what its pages show of a profile, how they map to and
// from the record, the rate grid the rates keep to, and the checks of OK.
//
// Rates lie on the grid 72 + 64 x k kbit/s, k = 0..35 (72..2312): a rate typed or stepped comes down to the grid and
// wraps at either end (below 72 is 2312, above 2312 is 72). Equal minimum and maximum rates are the fixed rate mode.

#include "link/records/shdsl_line_profile_rec.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

inline constexpr uint32_t kShdslRateLowest = 72;
inline constexpr uint32_t kShdslRateHighest = 2312;
inline constexpr uint32_t kShdslRateStep = 64;
inline constexpr int kShdslMarginLowest = -10;
inline constexpr int kShdslMarginHighest = 21;

// Rate modes of the rate page.
inline constexpr int kShdslRateFixed = 0;
inline constexpr int kShdslRateAdaptive = 1;

struct ShdslLineProfileValues {
    int wireMode = 0; // 0 two-wire, 1 four-wire
    int rateMode = kShdslRateAdaptive;
    uint32_t minRate = kShdslRateLowest; // kbit/s
    uint32_t maxRate = kShdslRateHighest;
    // Margins in the order current upstream, worst upstream, current downstream, worst downstream: used and dB.
    std::array<int, 4> marginUsed{1, 0, 1, 0};
    std::array<int, 4> margin{6, 6, 6, 6};
    int psd = 0;       // 0 symmetric, 1 asymmetric
    int annex = 2;     // 0 A, 1 B, 2 A and B
    int lineProbe = 0; // 0 enabled, 1 disabled
    bool operator==(const ShdslLineProfileValues&) const = default;
};

ShdslLineProfileValues ShdslValuesFromRecord(const ShdslLineProfileRec& rec);
// The record of the values, enabled (row state 1).
ShdslLineProfileRec ShdslRecordFromValues(const std::string& name, const ShdslLineProfileValues& values);

// A rate brought down to the grid and wrapped into 72..2312; with `steps` moved that many grid steps first.
uint32_t SnapShdslRate(int64_t kbit, int steps = 0);

// The pages of the editor, and why OK refuses the values: the message and the controls marked.
enum class ShdslPage { kRate, kMargin, kMisc };
struct ShdslProfileRefusal {
    ShdslPage page;
    uint32_t stringId;
    std::array<int, 4> controls{};
    int focus = 0;
};
std::optional<ShdslProfileRefusal> CheckShdslLineProfile(const ShdslLineProfileValues& values);
