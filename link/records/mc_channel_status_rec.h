#pragma once
// McChannelStatusRec (24 bytes, request 491 query): one multicast channel that a client has joined on an xDSL port,
// with the client and its IGMP state. A query sends a McChannelStatusQueryRec naming a slot and gets its ports'.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kMcChannelStatusRecSize = 24;
inline constexpr size_t kMcChannelStatusQueryRecSize = 16;

struct McChannelStatusRec {
    uint32_t portId = 0; // packed entity id of the port
    uint16_t vlanId = 0;
    std::array<uint8_t, 4> channel{}; // the multicast channel's address, first number first
    std::array<uint8_t, 4> clientAddress{};
    std::array<uint8_t, 6> clientMac{};
    uint32_t state = 0; // 1 polling, 2 active, other values idle
    bool operator==(const McChannelStatusRec&) const = default;
};

template <> struct RecordTable<McChannelStatusRec> {
    using R = McChannelStatusRec;
    static constexpr const char* kName = "McChannelStatusRec";
    static constexpr uint32_t kSize = kMcChannelStatusRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::portId>("portId", 0).Key().Column(1),    U16<&R::vlanId>("vlanId", 4).Key().Column(2),
        Ipv4<&R::channel>("channel", 6).Key().Column(3), Ipv4<&R::clientAddress>("clientAddress", 10).Key().Column(4),
        Bytes<&R::clientMac>("clientMac", 14).Column(5), U32<&R::state>("state", 20).Column(6),
    };
};

// The body of a channel status query.
struct McChannelStatusQueryRec {
    uint32_t slotId = 0; // packed entity id of the slot
    bool operator==(const McChannelStatusQueryRec&) const = default;
};

template <> struct RecordTable<McChannelStatusQueryRec> {
    using R = McChannelStatusQueryRec;
    static constexpr const char* kName = "McChannelStatusQueryRec";
    static constexpr uint32_t kSize = kMcChannelStatusQueryRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::slotId>("slotId", 0),
        Reserved(4, 12),
    };
};
