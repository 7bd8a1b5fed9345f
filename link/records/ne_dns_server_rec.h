#pragma once
// NeDnsServerRec (12 bytes, request 311): the NE's three DNS servers in the order it asks them; 0.0.0.0 is none.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kNeDnsServerRecSize = 12;

struct NeDnsServerRec {
    std::array<uint8_t, 4> first{}; // first number first
    std::array<uint8_t, 4> second{};
    std::array<uint8_t, 4> third{};
    bool operator==(const NeDnsServerRec&) const = default;
};

template <> struct RecordTable<NeDnsServerRec> {
    using R = NeDnsServerRec;
    static constexpr const char* kName = "NeDnsServerRec";
    static constexpr uint32_t kSize = kNeDnsServerRecSize;
    static constexpr RecordField kFields[] = {
        Ipv4<&R::first>("first", 0).Column(1, kColumnWritable),
        Ipv4<&R::second>("second", 4).Column(2, kColumnWritable),
        Ipv4<&R::third>("third", 8).Column(3, kColumnWritable),
    };
};
