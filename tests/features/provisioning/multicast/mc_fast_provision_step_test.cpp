// One port of a fast provisioning against an NE that keeps PVCs, a channel and VLAN MAC limits: an enabled channel is
// written only past the port's rules, the operator's yes to replace a channel and the VLAN's MAC limit as the fast
// provisioning judges it (whatever the limit's state; not at all for a replaced channel of the same limit); a
// disabled one is written at once; a write the NE refuses, even without a reply to read, ends the run.

#include "features/provisioning/multicast/mc_fast_provision_step.h"
#include "features/provisioning/pvcs/mc_channel_entry.h"
#include "tests/features/provisioning/pvcs/fake_pvc_ne.h"
#include "ui/framework/messages/string_ids.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kNe = 1;
constexpr uint32_t kPort = 10105;
constexpr uint16_t kVlan = 300;

PvcRec Pvc(uint16_t vci)
{
    PvcRec pvc;
    pvc.portId = kPort;
    pvc.vci = vci;
    pvc.vlanId = 900;
    pvc.macLimit = 1;
    pvc.enableState = kPvcEnabled;
    return pvc;
}

McChannelRec Channel(uint8_t limit, uint32_t state = kMcChannelEnabled)
{
    McChannelRec channel;
    channel.portId = kPort;
    channel.vci = 70;
    channel.vlanId = kVlan;
    channel.channelLimit = limit;
    channel.profile = "basic";
    channel.adminState = state;
    return channel;
}

struct StepCase {
    const char* what;
    int pvcs;
    bool heldChannel;
    bool overwrite;
    uint32_t vlanLimit; // 0: none
    uint32_t vlanState;
    McChannelRec channel;
    McProvisionOutcome outcome;
    uint32_t messageId;
};

TEST(McFastProvisionStepTest, APortIsWrittenOnlyPastItsRules)
{
    const StepCase cases[] = {
        {"no PVC in service", 0, false, true, 0, 0, Channel(1), McProvisionOutcome::kPaused, kStrPortHasNoActivePvc},
        {"5 + 4 PVCs above 8", 4, false, true, 0, 0, Channel(5), McProvisionOutcome::kPaused, kStrPvcPortChannelsFull},
        {"4 + 4 PVCs", 4, false, true, 0, 0, Channel(4), McProvisionOutcome::kWritten, 0},
        {"the replace declined", 1, true, false, 0, 0, Channel(1), McProvisionOutcome::kPaused, 0},
        {"the replace agreed", 1, true, true, 0, 0, Channel(1), McProvisionOutcome::kWritten, 0},
        {"beyond an enabled VLAN limit", 1, false, true, 3, 1, Channel(4), McProvisionOutcome::kPaused,
         kStrVlanMacLimitBelowCommitted},
        {"within an enabled VLAN limit", 1, false, true, 4, 1, Channel(4), McProvisionOutcome::kWritten, 0},
        {"a replaced channel of the same limit is not checked", 1, true, true, 2, 1, Channel(3),
         McProvisionOutcome::kWritten, 0},
        {"a replaced channel of another limit is checked whole", 1, true, true, 4, 1, Channel(5),
         McProvisionOutcome::kPaused, kStrVlanMacLimitBelowCommitted},
        {"a disabled VLAN limit counts as well", 1, false, true, 4, 2, Channel(5), McProvisionOutcome::kPaused,
         kStrVlanMacLimitBelowCommitted},
        {"a VLAN without a limit takes anything", 1, false, true, 0, 0, Channel(5), McProvisionOutcome::kWritten, 0},
        {"a disabled channel is written at once", 0, false, true, 1, 1, Channel(5, kMcChannelDisabled),
         McProvisionOutcome::kWritten, 0},
    };
    for (const StepCase& c : cases) {
        pvc_test::CFakePvcNe ne;
        for (int i = 0; i < c.pvcs; ++i)
            ne.AddPvc(Pvc(static_cast<uint16_t>(40 + i)), kPvcRowActive);
        if (c.heldChannel) {
            McChannelRec held = Channel(3);
            held.vci = 33;
            ne.SetChannel(held);
        }
        if (c.vlanLimit != 0)
            ne.SetVlanLimit(kVlan, c.vlanLimit, c.vlanState);
        int asked = 0;
        const McProvisionResult result = ProvisionMcChannel(
            kNe, c.channel,
            [&] {
                ++asked;
                return c.overwrite;
            },
            CRecordRequests(ne.Channel()));
        EXPECT_EQ(result.outcome, c.outcome) << c.what;
        EXPECT_EQ(result.messageId, c.messageId) << c.what;
        EXPECT_EQ(asked, c.heldChannel && c.pvcs > 0 ? 1 : 0) << c.what;
        const bool written = c.outcome == McProvisionOutcome::kWritten;
        EXPECT_EQ(ne.State().channel == c.channel, written) << c.what;
    }
}

TEST(McFastProvisionStepTest, ADisabledChannelAsksTheNeNothingBeforeItsAdd)
{
    pvc_test::CFakePvcNe ne;
    ProvisionMcChannel(
        kNe, Channel(1, kMcChannelDisabled), [] { return false; }, CRecordRequests(ne.Channel()));
    ASSERT_EQ(ne.Sent().size(), 1u);
    EXPECT_EQ(ne.Sent().front().code, kReqMcChannelAdd.value);
}

TEST(McFastProvisionStepTest, ARefusedAddEndsTheRunWithTheDriversFailureToUpdate)
{
    pvc_test::CFakePvcNe ne;
    ne.AddPvc(Pvc(40), kPvcRowActive);
    ne.RefuseAll(kReqMcChannelAdd, kEmsOpModify);
    const McProvisionResult result = ProvisionMcChannel(
        kNe, Channel(1), [] { return true; }, CRecordRequests(ne.Channel()));
    EXPECT_EQ(result.outcome, McProvisionOutcome::kFailed);
    EXPECT_EQ(result.messageId, 0u) << "the driver has told it";
    ASSERT_FALSE(ne.Sent().empty());
    EXPECT_EQ(ne.Sent().back().code, kReqMcChannelAdd.value);
    EXPECT_EQ(ne.Sent().back().failureTextId, kStrFailToUpdateData);
}

} // namespace
