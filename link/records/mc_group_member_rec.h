#pragma once
// McGroupMemberRec (112 bytes, request 490 query): one active multicast channel of an NE with its last reporter and
// the ports that are its members; the channel's address names it. A query sends a McGroupQueryRec.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kMcGroupMemberRecSize = 112;
inline constexpr size_t kMcGroupMemberPortsSize = 88;
inline constexpr size_t kMcGroupQueryRecSize = 6;

struct McGroupMemberRec {
    std::array<uint8_t, 4> channel{}; // the multicast group's address, first number first
    uint32_t reporterPortId = 0;      // packed entity id of the last reporter's port; 0 = none
    std::array<uint8_t, 4> reporterAddress{};
    uint16_t memberCount = 0;
    uint32_t upTime = 0; // seconds
    // Bit s * 48 + p set: port p + 1 of the s-th line-card slot is a member, then the bits of the two uplink ports;
    // bit 0 is the most significant bit of the first byte.
    std::array<uint8_t, kMcGroupMemberPortsSize> memberPorts{};
    bool operator==(const McGroupMemberRec&) const = default;
};

template <> struct RecordTable<McGroupMemberRec> {
    using R = McGroupMemberRec;
    static constexpr const char* kName = "McGroupMemberRec";
    static constexpr uint32_t kSize = kMcGroupMemberRecSize;
    static constexpr RecordField kFields[] = {
        Ipv4<&R::channel>("channel", 0).Key().Column(1),
        Reserved(4, 4),
        U32<&R::reporterPortId>("reporterPortId", 8).Column(2),
        Ipv4<&R::reporterAddress>("reporterAddress", 12).Column(3),
        U16<&R::memberCount>("memberCount", 16).Column(4),
        Reserved(18, 2),
        U32<&R::upTime>("upTime", 20).Column(5),
        Bytes<&R::memberPorts>("memberPorts", 24).Column(6),
    };
};

// The body of a group query: the workstation sends address 0.0.0.0, every channel.
struct McGroupQueryRec {
    std::array<uint8_t, 4> channel{};
    bool operator==(const McGroupQueryRec&) const = default;
};

template <> struct RecordTable<McGroupQueryRec> {
    using R = McGroupQueryRec;
    static constexpr const char* kName = "McGroupQueryRec";
    static constexpr uint32_t kSize = kMcGroupQueryRecSize;
    static constexpr RecordField kFields[] = {
        Ipv4<&R::channel>("channel", 0),
        Reserved(4, 2),
    };
};
