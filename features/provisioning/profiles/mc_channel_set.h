#pragma once
// The channel set of a multicast service profile: 800 bits, bit n - 1 set when the channel profile of id n belongs to
// the service, the first bit the most significant of the first byte.

#include "link/records/mc_service_profile_rec.h"

#include <cstdint>
#include <string>
#include <vector>

inline constexpr uint16_t kMcChannelIdMax = 800;

// The ids of the set, ascending.
std::vector<uint16_t> McChannelIds(const McServiceProfileRec& rec);
// The set holding exactly these ids (ids outside 1..800 are left out).
void SetMcChannelIds(McServiceProfileRec& rec, const std::vector<uint16_t>& ids);
// "1,2,800"; empty for no channel.
std::string McChannelIdsText(const McServiceProfileRec& rec);
// The set's 100 bytes as two lower-case hex digits and a blank each: "c0 00 ... 01 ".
std::string McChannelSetHex(const McServiceProfileRec& rec);
