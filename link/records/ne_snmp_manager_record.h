#pragma once
// NeSnmpManagerRecord (36 bytes, requests 304 query, 305 add, 306 delete): one SNMP manager to which the NE sends its
// traps, named by its address. The NE keeps at most 8; request 364 counts them.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kNeSnmpManagerRecordSize = 36;
inline constexpr size_t kNeSnmpManagerCommunityWidth = 24;

struct NeSnmpManagerRecord {
    std::array<uint8_t, 4> ipAddress{}; // first number first
    std::string trapCommunity;          // at most 20 characters entered
    uint32_t trapVersion = 0;           // 1 SNMP v2c, 0 SNMP v1
    uint32_t state = 0;                 // 1 in service
    bool operator==(const NeSnmpManagerRecord&) const = default;
};

template <> struct RecordTable<NeSnmpManagerRecord> {
    using R = NeSnmpManagerRecord;
    static constexpr const char* kName = "NeSnmpManagerRecord";
    static constexpr uint32_t kSize = kNeSnmpManagerRecordSize;
    static constexpr RecordField kFields[] = {
        Ipv4<&R::ipAddress>("ipAddress", 0).Key().Column(1),
        Text<&R::trapCommunity>("trapCommunity", 4, kNeSnmpManagerCommunityWidth).Secret().Column(2, kColumnWritable),
        U32<&R::trapVersion>("trapVersion", 28).Column(3, kColumnWritable),
        U32<&R::state>("state", 32).Column(4, kColumnWritable),
    };
};
