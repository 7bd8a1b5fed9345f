// What the operator is told of each verdict of the NE's check of a static MAC entry: refused with its reason at the
// MAC or the PVC, asked first, or the add goes on.

#include "features/provisioning/static_macs/static_mac_verdict.h"

#include "ui/framework/messages/string_ids.h"

#include <gtest/gtest.h>

namespace {

constexpr int kMac = 1390;
constexpr int kVpi = 1376;
constexpr uint32_t kPort = 10105;

struct Existing {
    uint32_t portId = kPort;
    uint8_t vpi = 0;
    uint16_t vci = 35;
};

AclCheckRec Reply(uint32_t verdict, uint32_t type = 0, Existing existing = {})
{
    AclCheckRec reply;
    reply.kind = 7;
    reply.portId = kPort;
    reply.vpi = 0;
    reply.vci = 35;
    reply.verdict = verdict;
    reply.existingType = type;
    reply.existingPortId = existing.portId;
    reply.existingVpi = existing.vpi;
    reply.existingVci = existing.vci;
    return reply;
}

TEST(StaticMacVerdictTest, EachVerdictIsToldAsTheNeMeansIt)
{
    using A = SourceMacAction;
    const struct {
        AclCheckRec reply;
        A action;
        uint32_t messageId;
        int controlId;
    } cases[] = {
        {Reply(0), A::kRefuse, kStrCheckNeverRun, kMac},
        {Reply(1), A::kGoOn, 0, 0},
        {Reply(2), A::kRefuse, kStrVcVlanMissing, kVpi},
        {Reply(3), A::kRefuse, kStrMacAddressReserved, kMac},
        {Reply(4, 1), A::kRefuse, kStrMacAddressInFdb, kMac},
        {Reply(4, 8), A::kRefuse, kStrMacAddressInFdb, kMac},
        {Reply(4, 2), A::kRefuse, kStrMacAddressSpoofed, kMac},
        {Reply(5, 7, {10106, 0, 35}), A::kRefuse, kStrMacAddressInFdb, kMac},
        {Reply(5, 7, {kPort, 0, 36}), A::kGoOn, 0, 0},
        {Reply(5, 7), A::kRefuse, kStrSameStaticEntryOnPvc, kMac},
        {Reply(5, 4), A::kRefuse, kStrAclDeniedFdbOnPvc, kMac},
        {Reply(5, 1), A::kGoOn, 0, 0},
        {Reply(6), A::kConfirm, kStrSureToClearLearnedFdb, 0},
        {Reply(7, 5), A::kRefuse, kStrAclPermittedFdbOnPvc, kMac},
        {Reply(8), A::kRefuse, kStrPvcFdbAtMacLimit, kVpi},
        {Reply(9), A::kConfirm, kStrSureToOverwriteLearnedFdb, 0},
        {Reply(10), A::kGoOn, 0, 0},
    };
    for (const auto& c : cases) {
        const SourceMacVerdict verdict = JudgeStaticMacReply(c.reply, kMac, kVpi);
        EXPECT_EQ(verdict.action, c.action) << c.reply.verdict << "/" << c.reply.existingType;
        EXPECT_EQ(verdict.messageId, c.messageId) << c.reply.verdict << "/" << c.reply.existingType;
        EXPECT_EQ(verdict.controlId, c.controlId) << c.reply.verdict << "/" << c.reply.existingType;
    }
}

} // namespace
