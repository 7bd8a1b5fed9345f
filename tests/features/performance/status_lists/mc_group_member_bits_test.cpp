// Which ports a multicast group's member bits name: line ports by slot and port, the uplinks after the line-card
// slots, and nothing past the record's 704 bits however many slots an NE has; and the texts of a joined channel's
// states.

#include "features/performance/status_lists/multicast_channel_status_dlg.h"
#include "features/performance/status_lists/multicast_group_member_dlg.h"
#include "tarvik_test_paths.h"

#include "core/util/bit_string.h"
#include "ui/framework/messages/string_table.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

McGroupMemberRec WithBits(std::initializer_list<size_t> bits)
{
    McGroupMemberRec group;
    for (size_t bit : bits)
        SetBit(group.memberPorts, bit);
    return group;
}

TEST(McGroupMemberBitsTest, LinePortsBySlotAndPort)
{
    const McGroupMemberRec group = WithBits({0, 2, 48 + 47, 13 * 48 + 31});
    EXPECT_TRUE(IsMcLinePortMember(group, 0, 1));
    EXPECT_FALSE(IsMcLinePortMember(group, 0, 2));
    EXPECT_TRUE(IsMcLinePortMember(group, 0, 3));
    EXPECT_TRUE(IsMcLinePortMember(group, 1, 48));
    EXPECT_TRUE(IsMcLinePortMember(group, 13, 32));
    EXPECT_FALSE(IsMcLinePortMember(group, 0, 0));
    EXPECT_FALSE(IsMcLinePortMember(group, 0, 49));
}

TEST(McGroupMemberBitsTest, UplinksFollowTheLineCardSlots)
{
    const McGroupMemberRec group = WithBits({4 * 48 + 1});
    EXPECT_FALSE(IsMcUplinkMember(group, 4, 0));
    EXPECT_TRUE(IsMcUplinkMember(group, 4, 1));
    EXPECT_FALSE(IsMcUplinkMember(group, 4, 2));
    EXPECT_FALSE(IsMcUplinkMember(group, 3, 1));
}

TEST(McGroupMemberBitsTest, NothingPastTheRecordsBits)
{
    McGroupMemberRec group;
    group.memberPorts.fill(0xFF);
    // Slot 14 starts at bit 672; its port 33 would be bit 704, the first past the 88 bytes.
    EXPECT_TRUE(IsMcLinePortMember(group, 14, 32));
    EXPECT_FALSE(IsMcLinePortMember(group, 14, 33));
    EXPECT_FALSE(IsMcLinePortMember(group, 20, 1));
    EXPECT_FALSE(IsMcUplinkMember(group, 15, 0));
}

// The IGMP state of a joined channel: 1 polling, 2 active, any other idle.
TEST(McChannelStateTest, TheStatesAndTheirTexts)
{
    LoadAppStrings(std::string(TARVIK_RESOURCES_DIR) + "/strings/strings.tsv");
    for (const auto& [state, text] :
         {std::pair{0u, "idle"}, std::pair{1u, "polling"}, std::pair{2u, "active"}, std::pair{3u, "idle"}}) {
        EXPECT_EQ(CMulticastChannelStatusDlg::StateText(state), text) << state;
    }
}

} // namespace
