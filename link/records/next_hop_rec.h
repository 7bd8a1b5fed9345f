#pragma once
// NextHopRec (52 bytes, requests 425 query and modify, 426 add, 427 delete): one named next hop of an NE for IP over
// ATM, at most 4 to an NE; the name names it.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kNextHopRecSize = 52;
inline constexpr size_t kNextHopNameWidth = 33;

struct NextHopRec {
    std::string name;                 // 1..32 characters
    std::array<uint8_t, 4> address{}; // first number first
    uint16_t vlanId = 0;              // 1..4094
    std::array<uint8_t, 6> mac{};     // learned by the NE; read only
    uint32_t state = 0;               // 1 active (as written)
    bool operator==(const NextHopRec&) const = default;
};

template <> struct RecordTable<NextHopRec> {
    using R = NextHopRec;
    static constexpr const char* kName = "NextHopRec";
    static constexpr uint32_t kSize = kNextHopRecSize;
    static constexpr RecordField kFields[] = {
        Text<&R::name>("name", 0, kNextHopNameWidth).Key().Column(1),
        Ipv4<&R::address>("address", 33).Column(2, kColumnWritable),
        Reserved(37, 1),
        U16<&R::vlanId>("vlanId", 38).Column(3, kColumnWritable),
        Bytes<&R::mac>("mac", 40).Column(4),
        Reserved(46, 2),
        U32<&R::state>("state", 48).Column(5, kColumnWritable),
    };
};
