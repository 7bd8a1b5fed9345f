#pragma once
// The rules of the ADSL line profile editor's values: rates are multiples of 32 kbit/s within their direction's
// range, rounded down and held to the range when the operator leaves an edit and stepped by 32 (wrapping at either
// end) by the spins; and the checks of OK, in their order, each with the page and the controls it names. Window-free.

#include "features/provisioning/profiles/adsl_line_profile_values.h"

#include <array>
#include <cstdint>
#include <optional>

inline constexpr uint32_t kAdslRateStep = 32;
inline constexpr uint32_t kAdslDownRateMax = 29984;
inline constexpr uint32_t kAdslUpRateMax = 2976;

struct RateRange {
    uint32_t minimum = 0;
    uint32_t maximum = 0;
};

// A minimum rate edit: from 64 in rate mode fixed, from 32 in the adaptive modes.
RateRange MinimumRateRange(bool downstream, int rateMode);
// A maximum rate edit: from 64.
RateRange MaximumRateRange(bool downstream);
// The L2 rates of the Power Management page.
RateRange L2RateRange();
// What a rate edit holds once left: rounded down to a multiple of 32, then a value below the range the lower bound and
// one above it the upper bound.
uint32_t HoldRate(int64_t typed, RateRange range);
// One step of a rate spin: 32 kbit/s up (delta > 0) or down; a step past either end goes to the other end.
uint32_t StepRate(uint32_t value, int delta, RateRange range);

// The values as the Transmission Rate page keeps them: rates held to their ranges, and in rate mode fixed each maximum
// equal to its minimum.
AdslTxRateValues HeldTxRate(AdslTxRateValues rate);

// The editor's pages, in tab order.
enum class AdslPage : uint8_t { kTxRate, kLineStandard, kSnrMargin, kPsd, kPowerManagement, kInp };

// Why OK refuses the values: the message, the page it is shown on and the controls it names (the first takes the
// focus; 0 for none).
struct AdslProfileRefusal {
    AdslPage page = AdslPage::kTxRate;
    uint32_t stringId = 0;
    std::array<int, 4> controls{};
    bool operator==(const AdslProfileRefusal&) const = default;
};

// The checks of OK after the name's: the rates, a line standard, the SNR margins' order (upstream first), the L2
// rates against the downstream maximum rate. None when the values pass.
std::optional<AdslProfileRefusal> CheckAdslLineProfile(const AdslLineProfileValues& values);
