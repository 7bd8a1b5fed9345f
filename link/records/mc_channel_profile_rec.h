#pragma once
// McChannelProfileRec (52 bytes): a multicast channel profile, one TV channel with its group address, priority queue
// and downstream rate; the profile id names it, and a query sends the id alone (2 bytes). An NE keeps its own
// (requests 440 query and modify, 441 add, 442 delete, 444 count) and the management server keeps templates of them
// (132 to 135, 135 deleting them all).

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kMcChannelProfileRecSize = 52;
inline constexpr size_t kMcChannelProfileNameWidth = 33;

struct McChannelProfileRec {
    uint16_t profileId = 0;                // 1..800
    std::string name;                      // at most 32 characters
    std::array<uint8_t, 4> groupAddress{}; // the channel's IPv4 group address, first number first
    uint8_t queue = 0;                     // priority queue: 0 low, 1 medium, 2 high, 3 urgent
    uint32_t downstreamRate = 0;           // Kbps
    uint32_t downstreamRateCopy = 0;       // written as the same value as downstreamRate
    uint32_t status = 0;                   // 1 enabled (as written)
    bool operator==(const McChannelProfileRec&) const = default;
};

template <> struct RecordTable<McChannelProfileRec> {
    using R = McChannelProfileRec;
    static constexpr const char* kName = "McChannelProfileRec";
    static constexpr uint32_t kSize = kMcChannelProfileRecSize;
    static constexpr RecordField kFields[] = {
        U16<&R::profileId>("profileId", 0).Key().Column(1),
        Text<&R::name>("name", 2, kMcChannelProfileNameWidth).Column(2, kColumnWritable),
        Ipv4<&R::groupAddress>("groupAddress", 35).Column(3, kColumnWritable),
        U8<&R::queue>("queue", 39).Column(4, kColumnWritable),
        U32<&R::downstreamRate>("downstreamRate", 40).Column(5, kColumnWritable),
        U32<&R::downstreamRateCopy>("downstreamRateCopy", 44).Column(6, kColumnWritable),
        U32<&R::status>("status", 48).Column(7, kColumnWritable),
    };
};
