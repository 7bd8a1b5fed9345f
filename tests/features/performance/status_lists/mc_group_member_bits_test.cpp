// Which ports a multicast group's member bits name: line ports by slot and port, the uplinks after the line-card
// slots, and nothing past the record's 704 bits however many slots an NE has.

#include "features/performance/status_lists/multicast_group_member_dlg.h"

#include "core/util/bit_string.h"

#include <gtest/gtest.h>

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

} // namespace
