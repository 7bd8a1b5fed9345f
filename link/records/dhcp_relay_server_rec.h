#pragma once
// DhcpRelayServerRec (16 bytes, requests 502 query, 503 add or modify, 504 delete, 507 count): one server the NE
// relays DHCP to, at most 4 to an NE; its address names it.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kDhcpRelayServerRecSize = 16;

struct DhcpRelayServerRec {
    std::array<uint8_t, 4> address{}; // first number first
    uint16_t vlanId = 0;              // 1..4094
    std::array<uint8_t, 6> mac{};
    uint32_t state = 0; // 1 enabled
    bool operator==(const DhcpRelayServerRec&) const = default;
};

template <> struct RecordTable<DhcpRelayServerRec> {
    using R = DhcpRelayServerRec;
    static constexpr const char* kName = "DhcpRelayServerRec";
    static constexpr uint32_t kSize = kDhcpRelayServerRecSize;
    static constexpr RecordField kFields[] = {
        Ipv4<&R::address>("address", 0).Key().Column(1),
        U16<&R::vlanId>("vlanId", 4).Column(2, kColumnWritable),
        Bytes<&R::mac>("mac", 6).Column(3),
        U32<&R::state>("state", 12).Column(4),
    };
};
