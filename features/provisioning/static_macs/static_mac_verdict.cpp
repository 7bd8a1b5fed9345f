#include "features/provisioning/static_macs/static_mac_verdict.h"

#include "ui/framework/messages/string_ids.h"

using namespace mac_check;

SourceMacVerdict JudgeStaticMacReply(const AclCheckRec& reply, int macControlId, int pvcControlId)
{
    if (const std::optional<SourceMacVerdict> shared = SharedMacVerdict(reply, macControlId, pvcControlId))
        return *shared;
    const auto refuse = [macControlId](uint32_t messageId) { return RefuseMac(messageId, macControlId); };
    const uint32_t type = reply.existingType;
    switch (reply.verdict) {
    case kNeverRun:
        return refuse(kStrCheckNeverRun);
    case kNoSuchPvc:
        return RefuseMac(kStrVcVlanMissing, pvcControlId);
    case kPvcHoldsOthers: // ACL permitted entries
        return refuse(kStrAclPermittedFdbOnPvc);
    case kClearsEntries:
        return ConfirmMac(kStrSureToClearLearnedFdb);
    case kListed:
        if (reply.existingPortId != reply.portId)
            return refuse(kStrMacAddressInFdb);
        if (reply.existingVpi != reply.vpi || reply.existingVci != reply.vci)
            return {};
        if (type == kStatic)
            return refuse(kStrSameStaticEntryOnPvc);
        if (type == kAclStateDeny)
            return refuse(kStrAclDeniedFdbOnPvc);
        return {};
    default:
        return {};
    }
}
