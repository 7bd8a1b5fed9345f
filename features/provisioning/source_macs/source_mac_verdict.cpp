#include "features/provisioning/source_macs/source_mac_verdict.h"

#include "ui/framework/messages/string_ids.h"

using namespace mac_check;

SourceMacVerdict RefuseMac(uint32_t messageId, int controlId)
{
    return {SourceMacAction::kRefuse, messageId, controlId};
}

SourceMacVerdict ConfirmMac(uint32_t messageId)
{
    return {SourceMacAction::kConfirm, messageId, 0};
}

std::optional<SourceMacVerdict> SharedMacVerdict(const AclCheckRec& reply, int macControlId, int pvcControlId)
{
    const uint32_t type = reply.existingType;
    switch (reply.verdict) {
    case kReserved:
        return RefuseMac(kStrMacAddressReserved, macControlId);
    case kInFilteringDatabase:
        return RefuseMac(type == kLearned || type == kLearnedNonAged ? kStrMacAddressInFdb : kStrMacAddressSpoofed,
                         macControlId);
    case kAtMacLimit:
        return RefuseMac(kStrPvcFdbAtMacLimit, pvcControlId);
    case kLearnedOnPvc:
        return ConfirmMac(kStrSureToOverwriteLearnedFdb);
    default:
        return std::nullopt;
    }
}

SourceMacVerdict JudgeSourceMacReply(const AclCheckRec& reply, int macControlId, int pvcControlId, int okControlId)
{
    if (const std::optional<SourceMacVerdict> shared = SharedMacVerdict(reply, macControlId, pvcControlId))
        return *shared;
    const bool permit = reply.kind == kAclStatePermit;
    const bool onThisPvc =
        reply.existingPortId == reply.portId && reply.existingVpi == reply.vpi && reply.existingVci == reply.vci;
    const auto refuse = [macControlId](uint32_t messageId) { return RefuseMac(messageId, macControlId); };
    const uint32_t type = reply.existingType;
    switch (reply.verdict) {
    case kNeverRun:
        return RefuseMac(kStrCheckNeverRun, okControlId);
    case kPvcHoldsOthers:
        if (permit && type == kAclStateDeny)
            return refuse(kStrAclDeniedFdbOnPvc);
        if (permit && type == kStatic)
            return refuse(kStrStaticFdbOnPvc);
        if (permit && (type == kSpoofedActive || type == kSpoofedInactive))
            return refuse(kStrSpoofedMacOnPvc);
        if (!permit && type == kAclStatePermit)
            return refuse(kStrAclPermittedFdbOnPvc);
        return {};
    case kListed:
        if (permit)
            return refuse(onThisPvc && type == kAclStatePermit ? kStrSameAclEntryOnPvc : kStrMacAddressInFdb);
        if (onThisPvc && type == kStatic)
            return refuse(kStrStaticFdbOnPvc);
        if (onThisPvc && type == kAclStateDeny)
            return refuse(kStrSameAclEntryOnPvc);
        return {};
    case kClearsEntries:
        return ConfirmMac(permit ? kStrSureToClearOldFdb : kStrSureToClearLearnedFdb);
    default:
        return {};
    }
}
