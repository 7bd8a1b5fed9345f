#include "features/provisioning/profiles/adsl_line_profile_rules.h"

#include "features/provisioning/profiles/adsl_line_standard_page.h"
#include "features/provisioning/profiles/adsl_power_mgmt_page.h"
#include "features/provisioning/profiles/adsl_snr_margin_page.h"
#include "features/provisioning/profiles/adsl_tx_rate_page.h"
#include "ui/framework/messages/string_ids.h"

#include <algorithm>

namespace {

constexpr uint32_t kLowestRate = 32;
constexpr uint32_t kLowestFixedRate = 64;

uint32_t DirectionMax(bool downstream)
{
    return downstream ? kAdslDownRateMax : kAdslUpRateMax;
}

// The order of one direction's SNR margins.
std::optional<AdslProfileRefusal> CheckSnr(const AdslSnrValues& snr, bool upstream, bool runtime)
{
    using P = CAdslSnrMarginPage;
    const int minimum = upstream ? P::kUpMinId : P::kDownMinId;
    const int maximum = upstream ? P::kUpMaxId : P::kDownMaxId;
    const int target = upstream ? P::kUpTargetId : P::kDownTargetId;
    const int upshift = upstream ? P::kUpUpshiftId : P::kDownUpshiftId;
    const int downshift = upstream ? P::kUpDownshiftId : P::kDownDownshiftId;
    const auto refuse = [](uint32_t stringId, int first, int second) {
        return AdslProfileRefusal{AdslPage::kSnrMargin, stringId, {first, second, 0, 0}};
    };
    if (runtime) {
        if (snr.maximum <= snr.upshift)
            return refuse(kStrMaximumNotAboveUpshift, maximum, upshift);
        if (snr.upshift <= snr.target)
            return refuse(kStrUpshiftNotAboveTarget, upshift, target);
        if (snr.target <= snr.downshift)
            return refuse(kStrTargetNotAboveDownshift, target, downshift);
        if (snr.downshift <= snr.minimum)
            return refuse(kStrDownshiftNotAboveMinimum, downshift, minimum);
        return std::nullopt;
    }
    if (snr.maximum <= snr.target)
        return refuse(kStrMaximumNotAboveTarget, maximum, target);
    if (snr.target <= snr.minimum)
        return refuse(kStrTargetNotAboveMinimum, target, minimum);
    return std::nullopt;
}

} // namespace

RateRange MinimumRateRange(bool downstream, int rateMode)
{
    return {rateMode == kRateModeFixed ? kLowestFixedRate : kLowestRate, DirectionMax(downstream)};
}

RateRange MaximumRateRange(bool downstream)
{
    return {kLowestFixedRate, DirectionMax(downstream)};
}

RateRange L2RateRange()
{
    return {kLowestRate, kAdslDownRateMax};
}

uint32_t HoldRate(int64_t typed, RateRange range)
{
    const int64_t rounded = typed < 0 ? 0 : typed - typed % kAdslRateStep;
    return static_cast<uint32_t>(std::clamp<int64_t>(rounded, range.minimum, range.maximum));
}

uint32_t StepRate(uint32_t value, int delta, RateRange range)
{
    const int64_t next = static_cast<int64_t>(HoldRate(value, range)) + static_cast<int64_t>(delta) * kAdslRateStep;
    if (next > range.maximum)
        return range.minimum;
    if (next < range.minimum)
        return range.maximum;
    return static_cast<uint32_t>(next);
}

AdslTxRateValues HeldTxRate(AdslTxRateValues rate)
{
    rate.downMin = HoldRate(rate.downMin, MinimumRateRange(true, rate.rateMode));
    rate.upMin = HoldRate(rate.upMin, MinimumRateRange(false, rate.rateMode));
    rate.downMax = HoldRate(rate.downMax, MaximumRateRange(true));
    rate.upMax = HoldRate(rate.upMax, MaximumRateRange(false));
    if (rate.rateMode == kRateModeFixed) {
        rate.downMax = rate.downMin;
        rate.upMax = rate.upMin;
    }
    return rate;
}

std::optional<AdslProfileRefusal> CheckAdslLineProfile(const AdslLineProfileValues& values)
{
    using T = CAdslTxRatePage;
    const AdslTxRateValues& rate = values.rate;
    const bool fixed = rate.rateMode == kRateModeFixed;
    const auto rateRefusal = [&](int maxId, int minId) {
        return AdslProfileRefusal{
            AdslPage::kTxRate, fixed ? kStrMaximumBelowMinimum : kStrMaximumNotAboveMinimum, {maxId, minId, 0, 0}};
    };
    const auto refused = [fixed](uint32_t maximum, uint32_t minimum) {
        return fixed ? maximum < minimum : maximum <= minimum;
    };
    if (refused(rate.downMax, rate.downMin))
        return rateRefusal(T::kDownMaxId, T::kDownMinId);
    if (refused(rate.upMax, rate.upMin))
        return rateRefusal(T::kUpMaxId, T::kUpMinId);

    if ((values.lineStandards & ((1u << kLineStandardCount) - 1)) == 0)
        return AdslProfileRefusal{
            AdslPage::kLineStandard, kStrPleaseSelectOneItem, {CAdslLineStandardPage::kFirstStandardId, 0, 0, 0}};

    const bool runtime = rate.rateMode == kRateModeAdaptiveRuntime;
    if (auto refusal = CheckSnr(values.upSnr, true, runtime))
        return refusal;
    if (auto refusal = CheckSnr(values.downSnr, false, runtime))
        return refusal;

    using P = CAdslPowerMgmtPage;
    const AdslPowerValues& power = values.power;
    if (power.l2MinRate > rate.downMax)
        return AdslProfileRefusal{
            AdslPage::kPowerManagement, kStrAboveDownstreamMaximumRate, {P::kL2MinRateId, 0, 0, 0}};
    if (power.l2MaxRate < power.l2MinRate)
        return AdslProfileRefusal{
            AdslPage::kPowerManagement, kStrMaximumBelowMinimum, {P::kL2MaxRateId, P::kL2MinRateId, 0, 0}};
    if (power.l2MaxRate > rate.downMax)
        return AdslProfileRefusal{
            AdslPage::kPowerManagement, kStrAboveDownstreamMaximumRate, {P::kL2MaxRateId, 0, 0, 0}};
    return std::nullopt;
}
