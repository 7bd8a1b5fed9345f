#include "features/provisioning/source_macs/source_mac_verdict.h"

#include "ui/framework/messages/string_ids.h"

namespace {

// The verdicts of the NE's check.
constexpr uint32_t kNeverRun = 0;
constexpr uint32_t kReserved = 3;
constexpr uint32_t kInFilteringDatabase = 4;
constexpr uint32_t kListed = 5;
constexpr uint32_t kClearsEntries = 6;
constexpr uint32_t kPvcHoldsOthers = 7;
constexpr uint32_t kAtMacLimit = 8;
constexpr uint32_t kLearnedOnPvc = 9;

// Filtering-database entry types.
constexpr uint32_t kLearned = 1;
constexpr uint32_t kSpoofedActive = 2;
constexpr uint32_t kSpoofedInactive = 3;
constexpr uint32_t kStatic = 7;
constexpr uint32_t kLearnedNonAged = 8;

} // namespace

SourceMacVerdict JudgeSourceMacReply(const AclCheckRec& reply, int macControlId, int pvcControlId, int okControlId)
{
    const bool permit = reply.kind == kAclStatePermit;
    const bool onThisPvc =
        reply.existingPortId == reply.portId && reply.existingVpi == reply.vpi && reply.existingVci == reply.vci;
    const auto refuse = [macControlId](uint32_t messageId, int controlId = 0) {
        return SourceMacVerdict{SourceMacAction::kRefuse, messageId, controlId != 0 ? controlId : macControlId};
    };
    const auto confirm = [](uint32_t messageId) { return SourceMacVerdict{SourceMacAction::kConfirm, messageId, 0}; };
    const uint32_t type = reply.existingType;
    switch (reply.verdict) {
    case kNeverRun:
        return refuse(kStrCheckNeverRun, okControlId);
    case kReserved:
        return refuse(kStrMacAddressReserved);
    case kInFilteringDatabase:
        return refuse(type == kLearned || type == kLearnedNonAged ? kStrMacAddressInFdb : kStrMacAddressSpoofed);
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
    case kAtMacLimit:
        return refuse(kStrPvcFdbAtMacLimit, pvcControlId);
    case kLearnedOnPvc:
        return confirm(kStrSureToOverwriteLearnedFdb);
    case kListed:
        if (permit)
            return refuse(onThisPvc && type == kAclStatePermit ? kStrSameAclEntryOnPvc : kStrMacAddressInFdb);
        if (onThisPvc && type == kStatic)
            return refuse(kStrStaticFdbOnPvc);
        if (onThisPvc && type == kAclStateDeny)
            return refuse(kStrSameAclEntryOnPvc);
        return {};
    case kClearsEntries:
        return confirm(permit ? kStrSureToClearOldFdb : kStrSureToClearLearnedFdb);
    default:
        return {};
    }
}
