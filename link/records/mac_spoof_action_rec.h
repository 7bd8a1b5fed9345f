#pragma once
// MacSpoofActionRec (16 bytes, request 486): permits a spoofed MAC address at one place, or denies it everywhere.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kMacSpoofActionRecSize = 16;

struct MacSpoofActionRec {
    std::array<uint8_t, 6> mac{};
    uint32_t entityId = 0; // packed entity id of the place
    uint32_t action = 0;   // 1 permit, 2 deny all
    bool operator==(const MacSpoofActionRec&) const = default;
};

template <> struct RecordTable<MacSpoofActionRec> {
    using R = MacSpoofActionRec;
    static constexpr const char* kName = "MacSpoofActionRec";
    static constexpr uint32_t kSize = kMacSpoofActionRecSize;
    static constexpr RecordField kFields[] = {
        Bytes<&R::mac>("mac", 0).Column(1, kColumnWritable),
        Reserved(6, 2),
        U32<&R::entityId>("entityId", 8).Column(2, kColumnWritable),
        U32<&R::action>("action", 12).Column(3, kColumnWritable),
    };
};
