#include "features/provisioning/profiles/shdsl_line_profile_values.h"

#include "features/provisioning/profiles/shdsl_line_profile_pages.h"
#include "ui/framework/messages/string_ids.h"

namespace {

constexpr uint32_t kBitsPerKbit = 1000;
constexpr uint32_t kFourWire = 2;
constexpr uint32_t kAnnexA = 0x80;
constexpr uint32_t kAnnexB = 0x40;
constexpr uint32_t kAnnexAB = 0xC0;
constexpr uint32_t kPsdAsymmetric = 2;
constexpr uint32_t kProbeDisabled = 1;
constexpr uint32_t kProbeEnabled = 2;
constexpr uint32_t kGridSize = (kShdslRateHighest - kShdslRateLowest) / kShdslRateStep + 1;
// The used-margin bits, in the order of the values' margins.
constexpr std::array<uint32_t, 4> kMarginBits = {0x20, 0x10, 0x80, 0x40};

int Margin(uint8_t stored)
{
    return static_cast<int8_t>(stored);
}

} // namespace

ShdslLineProfileValues ShdslValuesFromRecord(const ShdslLineProfileRec& rec)
{
    ShdslLineProfileValues values;
    values.wireMode = rec.wireInterface == kFourWire ? 1 : 0;
    values.minRate = rec.minRate / kBitsPerKbit;
    values.maxRate = rec.maxRate / kBitsPerKbit;
    values.rateMode = rec.minRate == rec.maxRate ? kShdslRateFixed : kShdslRateAdaptive;
    values.margin = {Margin(rec.currentMarginUp), Margin(rec.worstMarginUp), Margin(rec.currentMarginDown),
                     Margin(rec.worstMarginDown)};
    for (size_t i = 0; i < kMarginBits.size(); ++i)
        values.marginUsed[i] = (rec.usedMargins & kMarginBits[i]) != 0 ? 1 : 0;
    values.annex = rec.annex == kAnnexB ? 1 : rec.annex == kAnnexA ? 0 : 2;
    values.psd = rec.psdMask == kPsdAsymmetric ? 1 : 0;
    values.lineProbe = rec.lineProbe == kProbeDisabled ? 1 : 0;
    return values;
}

ShdslLineProfileRec ShdslRecordFromValues(const std::string& name, const ShdslLineProfileValues& values)
{
    ShdslLineProfileRec rec;
    rec.name = name;
    rec.wireInterface = values.wireMode == 1 ? kFourWire : 1;
    rec.minRate = values.minRate * kBitsPerKbit;
    rec.maxRate = values.maxRate * kBitsPerKbit;
    rec.currentMarginUp = static_cast<uint8_t>(values.margin[0]);
    rec.worstMarginUp = static_cast<uint8_t>(values.margin[1]);
    rec.currentMarginDown = static_cast<uint8_t>(values.margin[2]);
    rec.worstMarginDown = static_cast<uint8_t>(values.margin[3]);
    for (size_t i = 0; i < kMarginBits.size(); ++i)
        rec.usedMargins |= values.marginUsed[i] != 0 ? kMarginBits[i] : 0;
    rec.annex = values.annex == 0 ? kAnnexA : values.annex == 1 ? kAnnexB : kAnnexAB;
    rec.psdMask = values.psd == 1 ? kPsdAsymmetric : 1;
    rec.lineProbe = values.lineProbe == 1 ? kProbeDisabled : kProbeEnabled;
    rec.rowState = 1;
    return rec;
}

uint32_t SnapShdslRate(int64_t kbit, int steps)
{
    // Down to the grid, then the steps; off either end wraps to the other.
    int64_t place = kbit < kShdslRateLowest ? -1 : (kbit - kShdslRateLowest) / kShdslRateStep;
    place += steps;
    if (place < 0)
        place = kGridSize - 1;
    else if (place >= kGridSize)
        place = 0;
    return kShdslRateLowest + static_cast<uint32_t>(place) * kShdslRateStep;
}

std::optional<ShdslProfileRefusal> CheckShdslLineProfile(const ShdslLineProfileValues& values)
{
    using Rate = CShdslLineProfileRatePage;
    using Margin = CShdslLineProfileMarginPage;
    if (values.rateMode == kShdslRateFixed && values.maxRate < values.minRate)
        return ShdslProfileRefusal{
            ShdslPage::kRate, kStrMaximumBelowMinimum, {Rate::kMinId, Rate::kMaxId, 0, 0}, Rate::kMinId};
    if (values.rateMode == kShdslRateAdaptive && values.maxRate <= values.minRate)
        return ShdslProfileRefusal{ShdslPage::kRate,
                                   kStrMaximumNotAboveMinimum,
                                   {Rate::kMinId, Rate::kMaxId, Rate::kAdaptiveId, 0},
                                   Rate::kMinId};
    if (values.marginUsed == std::array<int, 4>{0, 0, 0, 0})
        return ShdslProfileRefusal{
            ShdslPage::kMargin,
            kStrSelectOneSnrMargin,
            {Margin::kUseCurrentUpId, Margin::kUseWorstUpId, Margin::kUseCurrentDownId, Margin::kUseWorstDownId},
            Margin::kUseCurrentUpId};
    return std::nullopt;
}
