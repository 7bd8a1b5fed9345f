#include "features/provisioning/static_macs/static_mac_verdict.h"

#include "ui/framework/messages/string_ids.h"

namespace {

// The verdicts of the NE's check.
constexpr uint32_t kNeverRun = 0;
constexpr uint32_t kNoSuchPvc = 2;
constexpr uint32_t kReserved = 3;
constexpr uint32_t kInFilteringDatabase = 4;
constexpr uint32_t kListed = 5;
constexpr uint32_t kClearsLearned = 6;
constexpr uint32_t kPermittedOnPvc = 7;
constexpr uint32_t kAtMacLimit = 8;
constexpr uint32_t kLearnedOnPvc = 9;

// Filtering-database entry types.
constexpr uint32_t kLearned = 1;
constexpr uint32_t kAclDeny = 4;
constexpr uint32_t kStatic = 7;
constexpr uint32_t kLearnedNonAged = 8;

} // namespace

SourceMacVerdict JudgeStaticMacReply(const AclCheckRec& reply, int macControlId, int pvcControlId)
{
    const auto refuse = [macControlId](uint32_t messageId, int controlId = 0) {
        return SourceMacVerdict{SourceMacAction::kRefuse, messageId, controlId != 0 ? controlId : macControlId};
    };
    const auto confirm = [](uint32_t messageId) { return SourceMacVerdict{SourceMacAction::kConfirm, messageId, 0}; };
    const uint32_t type = reply.existingType;
    switch (reply.verdict) {
    case kNeverRun:
        return refuse(kStrCheckNeverRun);
    case kNoSuchPvc:
        return refuse(kStrVcVlanMissing, pvcControlId);
    case kReserved:
        return refuse(kStrMacAddressReserved);
    case kInFilteringDatabase:
        return refuse(type == kLearned || type == kLearnedNonAged ? kStrMacAddressInFdb : kStrMacAddressSpoofed);
    case kLearnedOnPvc:
        return confirm(kStrSureToOverwriteLearnedFdb);
    case kPermittedOnPvc:
        return refuse(kStrAclPermittedFdbOnPvc);
    case kAtMacLimit:
        return refuse(kStrPvcFdbAtMacLimit, pvcControlId);
    case kClearsLearned:
        return confirm(kStrSureToClearLearnedFdb);
    case kListed:
        if (reply.existingPortId != reply.portId)
            return refuse(kStrMacAddressInFdb);
        if (reply.existingVpi != reply.vpi || reply.existingVci != reply.vci)
            return {};
        if (type == kStatic)
            return refuse(kStrSameStaticEntryOnPvc);
        if (type == kAclDeny)
            return refuse(kStrAclDeniedFdbOnPvc);
        return {};
    default:
        return {};
    }
}
