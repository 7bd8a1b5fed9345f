// What the operator is told of each verdict of the NE's source MAC check, for a permitted and a denied MAC: the
// reasons and where they show, the questions asked first, and the verdicts on which the add goes on.

#include "features/provisioning/source_macs/source_mac_verdict.h"
#include "ui/framework/messages/string_ids.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kMac = 1390;
constexpr int kPvc = 1273;
constexpr int kOk = 1;
constexpr uint32_t kPort = 10105;

struct Case {
    const char* name;
    uint32_t state;
    uint32_t verdict;
    uint32_t existingType;
    bool existingOnThisPvc;
    SourceMacAction action;
    uint32_t messageId;
    int controlId;
};

TEST(SourceMacVerdict, EachVerdictTellsTheOperatorItsOwn)
{
    const uint32_t permit = kAclStatePermit;
    const uint32_t deny = kAclStateDeny;
    const std::vector<Case> cases = {
        {"never run", permit, 0, 0, false, SourceMacAction::kRefuse, kStrCheckNeverRun, kOk},
        {"reserved", deny, 3, 0, false, SourceMacAction::kRefuse, kStrMacAddressReserved, kMac},
        {"learned elsewhere", permit, 4, 1, false, SourceMacAction::kRefuse, kStrMacAddressInFdb, kMac},
        {"learned, not aged", deny, 4, 8, false, SourceMacAction::kRefuse, kStrMacAddressInFdb, kMac},
        {"spoofed", permit, 4, 2, false, SourceMacAction::kRefuse, kStrMacAddressSpoofed, kMac},
        {"permit beside denied", permit, 7, 4, true, SourceMacAction::kRefuse, kStrAclDeniedFdbOnPvc, kMac},
        {"permit beside static", permit, 7, 7, true, SourceMacAction::kRefuse, kStrStaticFdbOnPvc, kMac},
        {"permit beside spoofed", permit, 7, 3, true, SourceMacAction::kRefuse, kStrSpoofedMacOnPvc, kMac},
        {"permit beside learned", permit, 7, 1, true, SourceMacAction::kGoOn, 0, 0},
        {"deny beside permitted", deny, 7, 5, true, SourceMacAction::kRefuse, kStrAclPermittedFdbOnPvc, kMac},
        {"deny beside static", deny, 7, 7, true, SourceMacAction::kGoOn, 0, 0},
        {"at the MAC limit", permit, 8, 0, false, SourceMacAction::kRefuse, kStrPvcFdbAtMacLimit, kPvc},
        {"learned on the PVC", deny, 9, 1, true, SourceMacAction::kConfirm, kStrSureToOverwriteLearnedFdb, 0},
        {"permitted on another PVC", permit, 5, 5, false, SourceMacAction::kRefuse, kStrMacAddressInFdb, kMac},
        {"permitted on this PVC", permit, 5, 5, true, SourceMacAction::kRefuse, kStrSameAclEntryOnPvc, kMac},
        {"denied on this PVC, permit", permit, 5, 4, true, SourceMacAction::kRefuse, kStrMacAddressInFdb, kMac},
        {"static on this PVC, deny", deny, 5, 7, true, SourceMacAction::kRefuse, kStrStaticFdbOnPvc, kMac},
        {"denied on this PVC, deny", deny, 5, 4, true, SourceMacAction::kRefuse, kStrSameAclEntryOnPvc, kMac},
        {"denied elsewhere, deny", deny, 5, 4, false, SourceMacAction::kGoOn, 0, 0},
        {"first permitted MAC", permit, 6, 0, false, SourceMacAction::kConfirm, kStrSureToClearOldFdb, 0},
        {"denied at the limit", deny, 6, 0, false, SourceMacAction::kConfirm, kStrSureToClearLearnedFdb, 0},
        {"no objection", permit, 1, 0, false, SourceMacAction::kGoOn, 0, 0},
        {"a verdict of another kind", deny, 42, 0, false, SourceMacAction::kGoOn, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AclCheckRec reply;
        reply.kind = c.state;
        reply.portId = kPort;
        reply.vpi = 0;
        reply.vci = 35;
        reply.verdict = c.verdict;
        reply.existingType = c.existingType;
        reply.existingPortId = c.existingOnThisPvc ? kPort : kPort + 1;
        reply.existingVci = 35;
        const SourceMacVerdict verdict = JudgeSourceMacReply(reply, kMac, kPvc, kOk);
        EXPECT_EQ(verdict.action, c.action);
        EXPECT_EQ(verdict.messageId, c.messageId);
        if (c.action == SourceMacAction::kRefuse) {
            EXPECT_EQ(verdict.controlId, c.controlId);
        }
    }
}

} // namespace
