#include "features/provisioning/vlans/vlan_membership_bits.h"

#include "core/util/bit_string.h"
#include "link/records/vlan_membership_rec.h"

bool IsLinePortMember(const VlanMembershipRec& rec, size_t lineCardSlot, unsigned port)
{
    if (port < 1 || port > kPortsPerLineCardSlot)
        return false;
    const size_t bit = lineCardSlot * kPortsPerLineCardSlot + port - 1;
    return bit < rec.uplinkFirstBit && TestBit(rec.members, bit) == 1;
}

bool IsUplinkMember(const VlanMembershipRec& rec, unsigned uplink)
{
    return uplink < kUplinkPorts && TestBit(rec.members, size_t{rec.uplinkFirstBit} + uplink) == 1;
}
