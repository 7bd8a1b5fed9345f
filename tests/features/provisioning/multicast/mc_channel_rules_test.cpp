// The rules a multicast channel keeps before it is written enabled: the port's PVCs in service and the channel's
// limit within 8, and the VLAN's MAC limit counting a channel that stays on its VLAN by the change of its limit only;
// and the rule an NE names when it refuses the write.

#include "features/provisioning/multicast/mc_channel_requests.h"
#include "features/provisioning/multicast/mc_channel_rules.h"
#include "link/driver_result.h"
#include "link/ems_msg.h"
#include "ui/framework/messages/string_ids.h"

#include <gtest/gtest.h>

#include <vector>

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

// A write the NE refuses names the broken rule in the second word of its reply's first record; the add goes as 471,
// the change as 470.
TEST(McChannelRulesTest, ARefusedWriteShowsTheRuleTheNeNamesInItsStatusWord)
{
    const struct {
        int result;
        uint32_t statusWord;
        uint32_t text;
    } cases[] = {{kDrvRejected, 3, 20025},
                 {kDrvRejected, 1, 20135},
                 {kDrvRejected, 4, 20143},
                 {kDrvRejected, 2, 10181},
                 {kDrvRejected, 0, 10181},
                 {kDrvRejected, 5, 10181},
                 {kDrvOk, 3, 0}};
    for (const auto& c : cases) {
        for (const bool add : {true, false}) {
            std::vector<uint8_t> answer(48, 0);
            answer[4] = static_cast<uint8_t>(c.statusWord);
            EmsMsg reply{};
            uint16_t sent = 0;
            EmsChannel ne;
            ne.request = [&](EmsMsg& request, EmsMsg** out, uint32_t, int32_t, bool) {
                sent = request.requestCode;
                reply.operation = kEmsOpReply;
                reply.requestCode = request.requestCode;
                reply.count = 1;
                reply.recordSize = 48;
                reply.records = answer.data();
                *out = &reply;
                return c.result;
            };
            McChannelRec channel;
            channel.portId = 0x01010201;
            EXPECT_EQ(WriteMcChannel(1, add, channel, CRecordRequests(ne)), c.text) << c.statusWord << " " << add;
            EXPECT_EQ(sent, add ? 471 : 470);
        }
    }
}

} // namespace
