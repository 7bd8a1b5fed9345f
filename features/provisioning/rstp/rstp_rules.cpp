#include "features/provisioning/rstp/rstp_rules.h"

#include "core/util/mac_address.h"
#include "ui/framework/messages/string_ids.h"

#include <algorithm>
#include <cstdio>

uint32_t NormalisePriority(uint32_t value, PriorityScale scale)
{
    return std::min(value / scale.step * scale.step, scale.most);
}

uint32_t StepPriority(uint32_t value, int delta, PriorityScale scale)
{
    const uint32_t from = NormalisePriority(value, scale);
    if (delta > 0)
        return from >= scale.most ? 0 : from + scale.step;
    if (delta < 0)
        return from == 0 ? scale.most : from - scale.step;
    return from;
}

RstpTimes ClampRstpTimes(const RstpTimes& times)
{
    return {std::clamp(times.maxAge, 6u, 40u), std::clamp(times.helloTime, 1u, 10u),
            std::clamp(times.forwardDelay, 4u, 30u), std::clamp(times.txHoldCount, 1u, 10u)};
}

uint32_t MaxPathCost(uint32_t version)
{
    return version == kRstpVersionStp ? 65535 : 200000000;
}

uint32_t ClampPathCost(uint32_t cost, uint32_t version)
{
    return std::clamp(cost, 1u, MaxPathCost(version));
}

uint32_t DefaultPathCost(uint32_t version)
{
    return version == kRstpVersionStp ? 4 : 20000;
}

uint32_t RstpTimingRefusal(uint32_t maxAge, uint32_t helloTime, uint32_t forwardDelay)
{
    if (2 * (static_cast<int64_t>(forwardDelay) - 1) < maxAge)
        return kStrRuleForwardDelayMaxAge;
    if (maxAge < 2 * (helloTime + 1))
        return kStrRuleMaxAgeHelloTime;
    return 0;
}

std::string RstpBridgeIdText(uint16_t priority, const std::array<uint8_t, 6>& mac)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%04x-", priority);
    return text + FormatMacAddress(mac.data());
}
