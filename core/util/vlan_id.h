#pragma once
// The VLAN IDs an NE gives its VLANs: 1..4094; 0 and 4095 name none.

#include <cstdint>

inline constexpr uint16_t kFirstVlanId = 1;
inline constexpr uint16_t kLastVlanId = 4094;

inline constexpr bool IsVlanId(uint32_t id)
{
    return id >= kFirstVlanId && id <= kLastVlanId;
}
