#pragma once
// McServiceProfileRec (140 bytes): a multicast service profile, the set of multicast channel profiles a subscriber's
// port may join; the name names it, and a query sends the name alone (33 bytes). An NE keeps its own (requests 450
// query and modify, 451 add, 452 delete, 454 count) and the management server keeps templates of them (136 to 139,
// 139 deleting them all).

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kMcServiceProfileRecSize = 140;
inline constexpr size_t kMcServiceProfileNameWidth = 33;
inline constexpr size_t kMcServiceChannelSetSize = 100; // 800 bits

struct McServiceProfileRec {
    std::string name; // at most 32 characters
    // Bit n - 1 set: the channel profile of id n belongs to the service; bit 0 is the most significant bit of the
    // first byte.
    std::array<uint8_t, kMcServiceChannelSetSize> channels{};
    uint32_t status = 0; // 1 enabled (as written)
    bool operator==(const McServiceProfileRec&) const = default;
};

template <> struct RecordTable<McServiceProfileRec> {
    using R = McServiceProfileRec;
    static constexpr const char* kName = "McServiceProfileRec";
    static constexpr uint32_t kSize = kMcServiceProfileRecSize;
    static constexpr RecordField kFields[] = {
        Text<&R::name>("name", 0, kMcServiceProfileNameWidth).Key().Column(1),
        Bytes<&R::channels>("channels", 33).Column(2, kColumnWritable),
        Reserved(133, 3),
        U32<&R::status>("status", 136).Column(3, kColumnWritable),
    };
};
