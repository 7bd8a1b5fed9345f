#include "features/provisioning/multicast/mc_channel_rules.h"

#include "ui/framework/messages/string_ids.h"

std::optional<uint32_t> PortChannelRefusal(uint32_t enabledPvcs, uint8_t channelLimit)
{
    if (enabledPvcs == 0)
        return kStrPortHasNoActivePvc;
    if (enabledPvcs + channelLimit > kMaxPortPvcsAndChannels)
        return kStrPvcPortChannelsFull;
    return std::nullopt;
}

bool ExceedsVlanMacLimit(const VlanMacRoom& vlan, uint16_t vlanId, uint8_t channelLimit,
                         const std::optional<HeldChannel>& held)
{
    if (!vlan.limitEnabled)
        return false;
    const int64_t counted = held && held->enabled && held->vlanId == vlanId
                                ? static_cast<int64_t>(channelLimit) - held->channelLimit
                                : static_cast<int64_t>(channelLimit);
    return counted + static_cast<int64_t>(vlan.committed) > static_cast<int64_t>(vlan.limit);
}

bool FastProvisionExceedsVlanMacLimit(const VlanMacRoom& vlan, uint8_t channelLimit, std::optional<uint8_t> heldLimit)
{
    if (!vlan.limitKnown || heldLimit == channelLimit)
        return false;
    return static_cast<uint64_t>(vlan.committed) + channelLimit > vlan.limit;
}
