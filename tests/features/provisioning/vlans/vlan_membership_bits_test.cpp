// Which ports a VLAN membership record names: the line ports by their slot's place among the NE's line-card slots, the
// uplinks from the bit the record gives, whatever number of line-card slots the NE has.

#include "features/provisioning/vlans/vlan_membership_bits.h"
#include "link/records/vlan_membership_rec.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

constexpr uint16_t kUplinksAt = 672;

VlanMembershipRec Members(std::initializer_list<size_t> bits, uint16_t uplinkFirstBit = kUplinksAt)
{
    VlanMembershipRec rec;
    rec.vlanId = 100;
    rec.uplinkFirstBit = uplinkFirstBit;
    for (size_t bit : bits)
        rec.members[bit / 8] |= static_cast<uint8_t>(0x80u >> (bit % 8));
    return rec;
}

TEST(VlanMembershipBits, LinePortsAreTheirSlotsBits)
{
    struct Row {
        size_t bit;
        size_t slot;
        unsigned port;
    };
    for (const Row row : {Row{0, 0, 1}, Row{47, 0, 48}, Row{48, 1, 1}, Row{95, 1, 48}, Row{671, 13, 48}}) {
        const VlanMembershipRec rec = Members({row.bit});
        EXPECT_TRUE(IsLinePortMember(rec, row.slot, row.port)) << row.bit;
        EXPECT_FALSE(IsLinePortMember(rec, row.slot, row.port == 1 ? 2 : row.port - 1)) << row.bit;
    }
    const VlanMembershipRec all = Members({0});
    EXPECT_FALSE(IsLinePortMember(all, 0, 0));
    EXPECT_FALSE(IsLinePortMember(all, 0, 49));
}

// The uplinks are read where the record says, not after the NE's last line-card slot: an NE of 4 slots and one of
// 40 keep them at the same bit.
TEST(VlanMembershipBits, UplinksAreReadFromTheBitTheRecordGives)
{
    const VlanMembershipRec both = Members({kUplinksAt, kUplinksAt + 1});
    EXPECT_TRUE(IsUplinkMember(both, 0));
    EXPECT_TRUE(IsUplinkMember(both, 1));
    EXPECT_FALSE(IsUplinkMember(both, 2));
    const VlanMembershipRec second = Members({kUplinksAt + 1});
    EXPECT_FALSE(IsUplinkMember(second, 0));
    EXPECT_TRUE(IsUplinkMember(second, 1));
    // Bits after the fourth slot's ports are no uplinks of a record that puts them elsewhere.
    EXPECT_FALSE(IsUplinkMember(Members({4 * 48, 4 * 48 + 1}), 0));
    EXPECT_TRUE(IsUplinkMember(Members({200}, 200), 0));
    EXPECT_FALSE(IsUplinkMember(Members({}, 0xFFFF), 0)) << "beyond the bitmap";
}

// Slots past the fourteenth have no bits of their own: what lies there is the uplinks' or nothing.
TEST(VlanMembershipBits, SlotsBeyondTheBitmapHaveNoMembers)
{
    const VlanMembershipRec rec = Members({kUplinksAt, kUplinksAt + 1});
    EXPECT_FALSE(IsLinePortMember(rec, 14, 1));
    EXPECT_FALSE(IsLinePortMember(rec, 14, 2));
    EXPECT_FALSE(IsLinePortMember(rec, 39, 48));
}

} // namespace
