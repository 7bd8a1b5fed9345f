#include "sim/seed/adsl_port_rules.h"

#include "core/entity/entity_id.h"

#include <algorithm>

namespace {

constexpr uint32_t kUpstreamGroupMask = 0x7;
constexpr uint32_t kDownstreamGroupMask = 0xF;

bool Holds(const std::vector<std::string>& names, const std::string& name)
{
    return name.empty() || std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

std::string AdslPortWriteRefusal(const AdslPortRec& written, const SimPortProfiles& profiles)
{
    if (!Holds(profiles.lineProfiles, written.lineProfile))
        return "Line profile does not exist";
    if (!Holds(profiles.pmThresholdProfiles, written.pmThresholdProfile))
        return "PM threshold profile does not exist";
    if (!Holds(profiles.policingProfiles, written.trafficPolicingProfile))
        return "Traffic policing profile does not exist";
    if (written.enableState != 1 && written.enableState != 2)
        return "Invalid enable state";
    if ((written.upstreamFilterGroups & ~kUpstreamGroupMask) != 0 ||
        (written.downstreamFilterGroups & ~kDownstreamGroupMask) != 0)
        return "Packet filter group does not exist";
    return {};
}

AdslPortRec AdslPortAfterWrite(const AdslPortRec& held, const AdslPortRec& written)
{
    AdslPortRec kept = written;
    kept.operState = held.operState;
    return kept;
}

bool AdslPortListed(uint32_t entityId, uint32_t portId)
{
    return entityId == 0 || entityId == 1 || entityId == portId || CEntityId(entityId).IsAncestorOf(portId);
}
