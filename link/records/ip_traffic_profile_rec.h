#pragma once
// IpTrafficProfileRec (52 bytes): an IP traffic profile, the downstream priority queue, rate limits and broadcast
// handling of the PVCs that use it; the name names it. An NE keeps its own (requests 430 query and modify, 431 add,
// 432 delete, 435 count) and the management server keeps templates of them (128 to 131, 131 deleting them all).

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kIpTrafficProfileRecSize = 52;
inline constexpr size_t kIpTrafficProfileNameWidth = 33;

struct IpTrafficProfileRec {
    std::string name;              // at most 32 characters
    uint8_t queue = 0;             // downstream priority queue: 0 low, 1 medium, 2 high, 3 urgent
    uint32_t downstreamRate = 0;   // Kbps, a multiple of 32 from 32 to 29984
    uint8_t upstreamRateIndex = 0; // 0 no limit, 1..7: 32, 64, 128, 256, 384, 512, 768 Kbps
    uint32_t status = 0;           // 1 enabled (as written)
    uint32_t broadcast = 0;        // downstream broadcast: 2 drop, 3 forward
    bool operator==(const IpTrafficProfileRec&) const = default;
};

template <> struct RecordTable<IpTrafficProfileRec> {
    using R = IpTrafficProfileRec;
    static constexpr const char* kName = "IpTrafficProfileRec";
    static constexpr uint32_t kSize = kIpTrafficProfileRecSize;
    static constexpr RecordField kFields[] = {
        Text<&R::name>("name", 0, kIpTrafficProfileNameWidth).Key().Column(1),
        U8<&R::queue>("queue", 33).Column(2, kColumnWritable),
        Reserved(34, 2),
        U32<&R::downstreamRate>("downstreamRate", 36).Column(3, kColumnWritable),
        U8<&R::upstreamRateIndex>("upstreamRateIndex", 40).Column(4, kColumnWritable),
        Reserved(41, 3),
        U32<&R::status>("status", 44).Column(5, kColumnWritable),
        U32<&R::broadcast>("broadcast", 48).Column(6, kColumnWritable),
    };
};
