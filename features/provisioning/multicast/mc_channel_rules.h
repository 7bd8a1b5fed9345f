#pragma once
// The rules a multicast channel of an xDSL port keeps before it is written enabled, as the channel setting and the
// fast provisioning both check them:
//   - the port needs an enabled PVC, and its enabled PVCs and the channel's limit together stay within 8;
//   - the MAC limit units committed to the channel's VLAN (by its PVCs and channels) and the channel's limit stay
//     within the VLAN's MAC limit when that limit is enabled. A channel that was enabled on the same VLAN counts only
//     the change of its limit, since its old limit is among the committed units already.

#include <cstdint>
#include <optional>

inline constexpr uint32_t kMaxPortPvcsAndChannels = 8;
inline constexpr uint8_t kMinChannelLimit = 1;
inline constexpr uint8_t kMaxChannelLimit = 5;

// The refusal of the port's rule (a string id), none when the port takes the channel.
std::optional<uint32_t> PortChannelRefusal(uint32_t enabledPvcs, uint8_t channelLimit);

// The channel the port holds now, as it counts against its VLAN.
struct HeldChannel {
    bool enabled = false;
    uint16_t vlanId = 0;
    uint8_t channelLimit = 0;
};

// What the VLAN allows: the units committed to it, its MAC limit, whether the NE told one and whether it is enabled.
struct VlanMacRoom {
    uint32_t committed = 0;
    uint32_t limit = 0;
    bool limitKnown = false;
    bool limitEnabled = false;
};

// True when writing the channel (enabled, on `vlanId` with `channelLimit`) would put the VLAN over its limit.
bool ExceedsVlanMacLimit(const VlanMacRoom& vlan, uint16_t vlanId, uint8_t channelLimit,
                         const std::optional<HeldChannel>& held);

// The fast provisioning's own rule, looser than the setting's: any limit the NE tells counts, enabled or not, and a
// port whose channel had the same limit (`heldLimit`) is not checked at all.
bool FastProvisionExceedsVlanMacLimit(const VlanMacRoom& vlan, uint8_t channelLimit,
                                      std::optional<uint8_t> heldLimit);
