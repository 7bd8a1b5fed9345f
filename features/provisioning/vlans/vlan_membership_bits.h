#pragma once
// Which ports a VLAN membership record names as members: port p (1..48) of line-card slot k (from 0) is bit
// k x 48 + p - 1 of the record's bitmap, the two uplink ports the bits from the position the record gives for them.
// A bit beyond the bitmap names no member, nor does a line port's bit at or past the uplinks' (an NE with more
// line-card slots than its bitmap holds). Window-free.

#include <cstddef>

struct VlanMembershipRec;

inline constexpr unsigned kPortsPerLineCardSlot = 48;
inline constexpr unsigned kUplinkPorts = 2;

bool IsLinePortMember(const VlanMembershipRec& rec, size_t lineCardSlot, unsigned port);
// Uplink 0 or 1.
bool IsUplinkMember(const VlanMembershipRec& rec, unsigned uplink);
