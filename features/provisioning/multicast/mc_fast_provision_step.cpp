#include "features/provisioning/multicast/mc_fast_provision_step.h"

#include "features/provisioning/multicast/mc_channel_requests.h"
#include "features/provisioning/multicast/mc_channel_rules.h"
#include "features/provisioning/pvcs/mc_channel_entry.h"
#include "link/records/request_codes.h"
#include "ui/framework/messages/string_ids.h"

namespace {

constexpr McProvisionResult kPaused{McProvisionOutcome::kPaused, 0};

} // namespace

McProvisionResult ProvisionMcChannel(uint32_t neId, const McChannelRec& channel,
                                     const std::function<bool()>& confirmOverwrite, const CRecordRequests& requests)
{
    const McProvisionAsk asked = ProvisionMcChannelUntilAsked(neId, channel, requests);
    if (asked.ended)
        return *asked.ended;
    if (!confirmOverwrite())
        return kPaused;
    return FinishMcChannel(neId, channel, asked.heldLimit, requests);
}

McProvisionAsk ProvisionMcChannelUntilAsked(uint32_t neId, const McChannelRec& channel,
                                            const CRecordRequests& requests)
{
    if (channel.adminState == kMcChannelEnabled) {
        const std::optional<uint32_t> pvcs = CountEnabledPvcs(neId, channel.portId, requests);
        if (!pvcs)
            return {kPaused};
        if (const std::optional<uint32_t> refusal = PortChannelRefusal(*pvcs, channel.channelLimit))
            return {McProvisionResult{McProvisionOutcome::kPaused, *refusal}};
        const std::optional<McChannelRec> held = QueryMcChannelEntry(neId, channel.portId, kStrFailToQuery, requests);
        if (!held)
            return {kPaused};
        if (held->portId == channel.portId)
            return {std::nullopt, held->channelLimit};
    }
    return {FinishMcChannel(neId, channel, std::nullopt, requests)};
}

McProvisionResult FinishMcChannel(uint32_t neId, const McChannelRec& channel, std::optional<uint8_t> heldLimit,
                                  const CRecordRequests& requests)
{
    if (channel.adminState == kMcChannelEnabled) {
        const std::optional<VlanMacRoom> room = QueryVlanMacRoom(neId, channel.vlanId, requests);
        if (!room)
            return kPaused;
        if (FastProvisionExceedsVlanMacLimit(*room, channel.channelLimit, heldLimit))
            return {McProvisionOutcome::kPaused, kStrVlanMacLimitBelowCommitted};
    }
    // Unlike the channel setting's write, a refused add is told by the driver, as a failure to update.
    if (!requests.Add(kReqMcChannel, neId, channel, {.failureTextId = kStrFailToUpdateData}).Ok())
        return {McProvisionOutcome::kFailed, 0};
    return {McProvisionOutcome::kWritten, 0};
}
