#include "sim/seed/profile_rules.h"

#include <algorithm>

namespace {

constexpr uint32_t kDhcpOrTransparent = 1u << 14;
constexpr uint32_t kPppoeRelated = 1u << 25;
constexpr uint32_t kEnabled = 1;

bool IsDhcpOrTransparent(uint32_t serviceType)
{
    return serviceType == 2 || serviceType == 3 || serviceType == 6;
}

bool IsPppoeRelated(uint32_t serviceType)
{
    return serviceType == 1 || serviceType == 3 || serviceType == 5;
}

// The PVC counts against the rule: the mask's bit, and the PVC among the conflicts shown.
void Conflict(PvcCheckResultRec& result, uint32_t bit, const PvcRec& pvc)
{
    result.errorMask |= bit;
    if (result.conflictCount < kPvcCheckConflictsShown)
        result.conflicts[result.conflictCount] = {pvc.portId, pvc.vpi, pvc.vci};
    ++result.conflictCount;
}

} // namespace

PvcCheckResultRec JudgeIpTrafficDrop(const SimPvcWorld& ne, const std::string& profile)
{
    PvcCheckResultRec result;
    for (const SimPvc& held : ne.pvcs) {
        if (held.pvc.ipTrafficProfile == profile && IsDhcpOrTransparent(held.pvc.serviceType))
            Conflict(result, kDhcpOrTransparent, held.pvc);
    }
    return result;
}

PvcCheckResultRec JudgePolicingDscp(const SimPvcWorld& ne, const std::vector<AdslPortRec>& ports,
                                    const std::string& profile)
{
    PvcCheckResultRec result;
    for (const SimPvc& held : ne.pvcs) {
        const bool applies = std::any_of(ports.begin(), ports.end(), [&](const AdslPortRec& port) {
            return port.entityId == held.pvc.portId && port.trafficPolicingProfile == profile;
        });
        if (!applies || held.pvc.enableState != kEnabled)
            continue;
        if (IsPppoeRelated(held.pvc.serviceType))
            Conflict(result, kPppoeRelated, held.pvc);
        else if (IsDhcpOrTransparent(held.pvc.serviceType))
            Conflict(result, kDhcpOrTransparent, held.pvc);
    }
    return result;
}
