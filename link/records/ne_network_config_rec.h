#pragma once
// NeNetworkConfigRec (28 bytes, the reply of a request 900 query, which sends one of zeros): the NE's own addresses:
// its two management interfaces, its gateway and the root of its cascaded management, against which new addresses are
// checked before they are written anywhere on the NE.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kNeNetworkConfigRecSize = 28;

// Addresses and masks first number first.
struct NeNetworkConfigRec {
    std::array<uint8_t, 4> nmeIp{};
    std::array<uint8_t, 4> nmeMask{};
    std::array<uint8_t, 4> gateway{};
    std::array<uint8_t, 4> ugeIp{};
    std::array<uint8_t, 4> ugeMask{};
    std::array<uint8_t, 4> cascadedRootIp{};
    std::array<uint8_t, 4> cascadedMask{}; // of the cascaded management subnet
    bool operator==(const NeNetworkConfigRec&) const = default;
};

template <> struct RecordTable<NeNetworkConfigRec> {
    using R = NeNetworkConfigRec;
    static constexpr const char* kName = "NeNetworkConfigRec";
    static constexpr uint32_t kSize = kNeNetworkConfigRecSize;
    static constexpr RecordField kFields[] = {
        Ipv4<&R::nmeIp>("nmeIp", 0).Column(1),
        Ipv4<&R::nmeMask>("nmeMask", 4).Column(2),
        Ipv4<&R::gateway>("gateway", 8).Column(3),
        Ipv4<&R::ugeIp>("ugeIp", 12).Column(4),
        Ipv4<&R::ugeMask>("ugeMask", 16).Column(5),
        Ipv4<&R::cascadedRootIp>("cascadedRootIp", 20).Column(6),
        Ipv4<&R::cascadedMask>("cascadedMask", 24).Column(7),
    };
};
