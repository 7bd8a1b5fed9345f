#pragma once
// CascadedMgmtRecord (20 bytes, request 161): the NE's part in cascaded management: whether it is the root that relays
// management to remote NEs over the cascaded management subnet, or one of those remote NEs, and whether the root
// serves time to them.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kCascadedMgmtRecordSize = 20;

struct CascadedMgmtRecord {
    uint32_t state = 0;                  // 1 enabled, 2 disabled
    uint32_t role = 0;                   // 1 root, 2 remote
    std::array<uint8_t, 4> rootIp{};     // first number first
    std::array<uint8_t, 4> subnetMask{}; // of the cascaded management subnet
    uint32_t sntpService = 0;            // the root serves time: 1 enabled, 2 disabled
    bool operator==(const CascadedMgmtRecord&) const = default;
};

template <> struct RecordTable<CascadedMgmtRecord> {
    using R = CascadedMgmtRecord;
    static constexpr const char* kName = "CascadedMgmtRecord";
    static constexpr uint32_t kSize = kCascadedMgmtRecordSize;
    static constexpr RecordField kFields[] = {
        U32<&R::state>("state", 0).Column(1, kColumnWritable),
        U32<&R::role>("role", 4).Column(2, kColumnWritable),
        Ipv4<&R::rootIp>("rootIp", 8).Column(3, kColumnWritable),
        Ipv4<&R::subnetMask>("subnetMask", 12).Column(4, kColumnWritable),
        U32<&R::sntpService>("sntpService", 16).Column(5, kColumnWritable),
    };
};
