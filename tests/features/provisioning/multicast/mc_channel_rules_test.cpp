// The rules a multicast channel keeps before it is written enabled: the port's PVCs in service and the channel's
// limit within 8, and the VLAN's MAC limit counting a channel that stays on its VLAN by the change of its limit only.

#include "features/provisioning/multicast/mc_channel_rules.h"
#include "ui/framework/messages/string_ids.h"

#include <gtest/gtest.h>

namespace {

TEST(McChannelRulesTest, ThePortNeedsAPvcInServiceAndRoomForTheChannel)
{
    const struct {
        uint32_t pvcs;
        uint8_t limit;
        std::optional<uint32_t> refusal;
    } cases[] = {{0, 1, kStrPortHasNoActivePvc}, {4, 5, kStrPvcPortChannelsFull}, {4, 4, std::nullopt},
                 {1, 5, std::nullopt},           {8, 1, kStrPvcPortChannelsFull}, {7, 1, std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(PortChannelRefusal(c.pvcs, c.limit), c.refusal) << c.pvcs << " + " << int(c.limit);
}

TEST(McChannelRulesTest, TheVlanCountsAChannelThatStaysOnItByItsChange)
{
    const VlanMacRoom room{.committed = 10, .limit = 12, .limitEnabled = true};
    const struct {
        const char* what;
        VlanMacRoom vlan;
        uint8_t limit;
        std::optional<HeldChannel> held;
        bool exceeds;
    } cases[] = {
        {"a new channel within the room", room, 2, std::nullopt, false},
        {"a new channel beyond it", room, 3, std::nullopt, true},
        {"a limit that is off takes anything", {10, 12, false}, 5, std::nullopt, false},
        {"an enabled channel on the same VLAN counts its change", room, 5, HeldChannel{true, 100, 3}, false},
        {"its change beyond the room", room, 5, HeldChannel{true, 100, 2}, true},
        {"a channel moving from another VLAN counts whole", room, 5, HeldChannel{true, 200, 3}, true},
        {"a channel that was disabled counts whole", room, 5, HeldChannel{false, 100, 3}, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExceedsVlanMacLimit(c.vlan, 100, c.limit, c.held), c.exceeds) << c.what;
}

} // namespace
