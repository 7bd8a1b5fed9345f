#pragma once
// DiscoveryRangeRec (40 bytes, requests 25 query, 26 add, 27 delete): one IPv4 address range in which the management
// server searches for NEs that answer SNMP. A range is named by its two addresses. A query sends a 1-byte body.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kDiscoveryRangeRecSize = 40;
inline constexpr size_t kDiscoveryRangeCommunityWidth = 21;

struct DiscoveryRangeRec {
    std::array<uint8_t, 4> firstIp{}; // first number first
    std::array<uint8_t, 4> lastIp{};
    uint32_t modelId = 0;  // the entity model looked for, 0 every model
    std::string community; // at most 20 characters
    uint32_t state = 0;    // set by the server: 1 finished, any other value still polling
    bool operator==(const DiscoveryRangeRec&) const = default;
};

template <> struct RecordTable<DiscoveryRangeRec> {
    using R = DiscoveryRangeRec;
    static constexpr const char* kName = "DiscoveryRangeRec";
    static constexpr uint32_t kSize = kDiscoveryRangeRecSize;
    static constexpr RecordField kFields[] = {
        Ipv4<&R::firstIp>("firstIp", 0).Key(),
        Ipv4<&R::lastIp>("lastIp", 4).Key(),
        U32<&R::modelId>("modelId", 8),
        Text<&R::community>("community", 12, kDiscoveryRangeCommunityWidth).Secret(),
        Reserved(33, 3),
        U32<&R::state>("state", 36),
    };
};
