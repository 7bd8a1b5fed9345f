#include "features/provisioning/profiles/adsl_line_profile_values.h"

namespace {

constexpr uint32_t kChannelModeFast = 2;
constexpr uint32_t kChannelModeInterleaved = 3;
constexpr uint32_t kRateFixed = 1;
constexpr uint32_t kRateAdaptiveStartup = 2;
constexpr uint32_t kRateAdaptiveRuntime = 3;
constexpr uint32_t kBitsPerKbit = 1000;

// A rate field in kbit/s; 0 keeps the page's value.
void TakeRate(uint32_t field, uint32_t& kbit)
{
    if (field != 0)
        kbit = field / kBitsPerKbit;
}

AdslSnrValues SnrFromRecord(const AdslSnrMarginsRec& rec)
{
    return {rec.minimum, rec.maximum, rec.target, rec.upshift, rec.downshift, rec.minUpshiftTime, rec.minDownshiftTime};
}

AdslSnrMarginsRec SnrToRecord(const AdslSnrValues& values, bool shifts)
{
    AdslSnrMarginsRec rec;
    rec.minimum = static_cast<int16_t>(values.minimum);
    rec.maximum = static_cast<int16_t>(values.maximum);
    rec.target = static_cast<int16_t>(values.target);
    if (shifts) {
        rec.upshift = static_cast<int16_t>(values.upshift);
        rec.downshift = static_cast<int16_t>(values.downshift);
        rec.minUpshiftTime = static_cast<int16_t>(values.upshiftTime);
        rec.minDownshiftTime = static_cast<int16_t>(values.downshiftTime);
    }
    return rec;
}

int InpIndex(int16_t stored)
{
    return stored >= 0 && stored < kInpIndexCount ? stored : 0;
}

} // namespace

AdslLineProfileValues ValuesFromRecord(const AdslLineProfileRec& rec)
{
    AdslLineProfileValues values;
    AdslTxRateValues& rate = values.rate;
    switch (rec.rateMode) {
    case kRateAdaptiveStartup:
        rate.rateMode = kRateModeAdaptiveStartup;
        break;
    case kRateAdaptiveRuntime:
        rate.rateMode = kRateModeAdaptiveRuntime;
        break;
    default:
        rate.rateMode = kRateModeFixed;
        break;
    }
    if (rec.channelMode == kChannelModeFast) {
        rate.channel = kChannelFast;
        TakeRate(rec.downMinRateFast, rate.downMin);
        TakeRate(rec.upMinRateFast, rate.upMin);
        TakeRate(rec.downMaxRateFast, rate.downMax);
        TakeRate(rec.upMaxRateFast, rate.upMax);
    } else {
        rate.channel = kChannelInterleave;
        TakeRate(rec.downMinRateInterleaved, rate.downMin);
        TakeRate(rec.upMinRateInterleaved, rate.upMin);
        TakeRate(rec.downMaxRateInterleaved, rate.downMax);
        TakeRate(rec.upMaxRateInterleaved, rate.upMax);
        rate.downDelay = rec.downMaxDelay != 0 ? rec.downMaxDelay : 1;
        rate.upDelay = rec.upMaxDelay != 0 ? rec.upMaxDelay : 1;
    }
    values.lineStandards = rec.lineStandards & ((1u << kLineStandardCount) - 1);
    values.upSnr = SnrFromRecord(rec.upstreamSnr);
    values.downSnr = SnrFromRecord(rec.downstreamSnr);
    values.downPsd = rec.downNominalPsd;
    values.upPsd = rec.upNominalPsd;
    values.downInp = InpIndex(rec.downMinInp);
    values.upInp = InpIndex(rec.upMinInp);
    AdslPowerValues& power = values.power;
    power.mode = rec.powerManagement == 1 ? kPowerAutomatic : kPowerManual;
    TakeRate(rec.l2MinRate, power.l2MinRate);
    TakeRate(rec.l2MaxRate, power.l2MaxRate);
    power.l0MinTime = rec.l0MinTime;
    power.l2LowRateTime = rec.l2LowRateMinTime;
    power.l3 = rec.cpeL3Request == 0 ? kL3Reject : kL3Accept;
    return values;
}

AdslLineProfileRec RecordFromValues(const std::string& name, const AdslLineProfileValues& values)
{
    const AdslTxRateValues& rate = values.rate;
    const bool fast = rate.channel == kChannelFast;
    AdslLineProfileRec rec;
    rec.name = name;
    rec.channelMode = fast ? kChannelModeFast : kChannelModeInterleaved;
    switch (rate.rateMode) {
    case kRateModeAdaptiveStartup:
        rec.rateMode = kRateAdaptiveStartup;
        break;
    case kRateModeAdaptiveRuntime:
        rec.rateMode = kRateAdaptiveRuntime;
        break;
    default:
        rec.rateMode = kRateFixed;
        break;
    }
    const bool shifts = rate.rateMode == kRateModeAdaptiveRuntime;
    rec.upstreamSnr = SnrToRecord(values.upSnr, shifts);
    rec.downstreamSnr = SnrToRecord(values.downSnr, shifts);
    rec.downMinRateFast = rec.downMinRateInterleaved = rate.downMin * kBitsPerKbit;
    rec.downMaxRateFast = rec.downMaxRateInterleaved = rate.downMax * kBitsPerKbit;
    rec.upMinRateFast = rec.upMinRateInterleaved = rate.upMin * kBitsPerKbit;
    rec.upMaxRateFast = rec.upMaxRateInterleaved = rate.upMax * kBitsPerKbit;
    rec.downMaxDelay = fast ? 0 : static_cast<uint8_t>(rate.downDelay);
    rec.upMaxDelay = fast ? 0 : static_cast<uint8_t>(rate.upDelay);
    rec.downMinInp = static_cast<int16_t>(values.downInp);
    rec.upMinInp = static_cast<int16_t>(values.upInp);
    rec.downNominalPsd = static_cast<int16_t>(values.downPsd);
    rec.upNominalPsd = static_cast<int16_t>(values.upPsd);
    const AdslPowerValues& power = values.power;
    rec.powerManagement = power.mode == kPowerAutomatic ? 1 : 0;
    rec.l2MinRate = power.l2MinRate * kBitsPerKbit;
    rec.l2MaxRate = power.l2MaxRate * kBitsPerKbit;
    rec.l0MinTime = power.l0MinTime;
    rec.l2LowRateMinTime = power.l2LowRateTime;
    rec.cpeL3Request = power.l3 == kL3Accept ? 1 : 0;
    rec.lineStandards = values.lineStandards;
    rec.status = 1;
    return rec;
}
