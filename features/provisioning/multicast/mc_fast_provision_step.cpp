#include "features/provisioning/multicast/mc_fast_provision_step.h"

#include "features/provisioning/multicast/mc_channel_requests.h"
#include "features/provisioning/multicast/mc_channel_rules.h"
#include "features/provisioning/pvcs/mc_channel_entry.h"
#include "ui/framework/messages/string_ids.h"

McProvisionResult ProvisionMcChannel(uint32_t neId, const McChannelRec& channel,
                                     const std::function<bool()>& confirmOverwrite, const CRecordRequests& requests)
{
    const McProvisionResult paused{McProvisionOutcome::kPaused, 0};
    if (channel.adminState == kMcChannelEnabled) {
        const std::optional<uint32_t> pvcs = CountEnabledPvcs(neId, channel.portId, requests);
        if (!pvcs)
            return paused;
        if (const std::optional<uint32_t> refusal = PortChannelRefusal(*pvcs, channel.channelLimit))
            return {McProvisionOutcome::kPaused, *refusal};
        const std::optional<McChannelRec> held = QueryMcChannelEntry(neId, channel.portId, kStrFailToQuery, requests);
        if (!held)
            return paused;
        if (held->portId == channel.portId && !confirmOverwrite())
            return paused;
        const std::optional<VlanMacRoom> room = QueryVlanMacRoom(neId, channel.vlanId, requests);
        if (!room)
            return paused;
        // As the channel setting judges an add: the VLAN's limit state counts, and so does the whole new limit.
        if (ExceedsVlanMacLimit(*room, channel.vlanId, channel.channelLimit, std::nullopt))
            return {McProvisionOutcome::kPaused, kStrVlanMacLimitBelowCommitted};
    }
    if (const uint32_t refusal = WriteMcChannel(neId, true, channel, requests))
        return {McProvisionOutcome::kFailed, refusal};
    return {McProvisionOutcome::kWritten, 0};
}
