#pragma once
// TrafficPolicingProfileRec (48 bytes): a traffic policing profile, the upstream committed rate of the xDSL ports
// that apply it and what becomes of packets beyond it; the name names it, and a query sends the name alone
// (33 bytes). An NE keeps its own (requests 460 query and modify, 461 add, 462 delete, 464 count) and the management
// server keeps templates of them (140 to 143, 143 deleting them all).

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kTrafficPolicingProfileRecSize = 48;
inline constexpr size_t kTrafficPolicingProfileNameWidth = 33;

struct TrafficPolicingProfileRec {
    std::string name;                // at most 32 characters
    uint16_t upstreamCir = 0;        // committed information rate, Mbps, 0..2
    std::array<uint8_t, 4> unused{}; // the workstation neither reads nor sets them; carried as read
    uint32_t action = 0;             // on out-of-profile packets: 0 none, 1 drop, 2..15 change the DSCP code
    uint32_t status = 0;             // 1 enabled (as written)
    bool operator==(const TrafficPolicingProfileRec&) const = default;
};

template <> struct RecordTable<TrafficPolicingProfileRec> {
    using R = TrafficPolicingProfileRec;
    static constexpr const char* kName = "TrafficPolicingProfileRec";
    static constexpr uint32_t kSize = kTrafficPolicingProfileRecSize;
    static constexpr RecordField kFields[] = {
        Text<&R::name>("name", 0, kTrafficPolicingProfileNameWidth).Key().Column(1),
        Reserved(33, 1),
        U16<&R::upstreamCir>("upstreamCir", 34).Column(2, kColumnWritable),
        Bytes<&R::unused>("unused", 36).Column(3, kColumnWritable),
        U32<&R::action>("action", 40).Column(4, kColumnWritable),
        U32<&R::status>("status", 44).Column(5, kColumnWritable),
    };
};
