#include "features/provisioning/profiles/profile_rates.h"

#include <algorithm>

uint32_t RateOnLeavingEdit(uint32_t typed)
{
    return std::clamp(typed / kProfileRateStep * kProfileRateStep, kProfileRateMin, kProfileRateMax);
}

uint32_t RateAfterSpin(uint32_t shown, int steps)
{
    const int64_t stepped = static_cast<int64_t>(shown / kProfileRateStep * kProfileRateStep) +
                            static_cast<int64_t>(kProfileRateStep) * steps;
    if (stepped < kProfileRateMin)
        return kProfileRateMax;
    if (stepped > kProfileRateMax)
        return kProfileRateMin;
    return static_cast<uint32_t>(stepped);
}

uint32_t RateAsLoaded(uint32_t stored)
{
    return std::clamp(stored, kProfileRateMin, kProfileRateShownMax);
}
