#pragma once
// MacSpoofRec (24 bytes, request 485 query): one place where the NE found a MAC address that it also found elsewhere
// (a spoofed address). A query sends 4 bytes of zero and gets every place.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kMacSpoofRecSize = 24;

struct MacSpoofRec {
    std::array<uint8_t, 6> mac{};
    uint32_t portId = 0; // packed entity id of the port
    uint8_t vpi = 0;
    uint16_t vci = 0;
    uint16_t vlanId = 0; // 0 = none
    uint32_t status = 0; // 2 learned spoofed active, 3 learned spoofed inactive
    bool operator==(const MacSpoofRec&) const = default;
};

template <> struct RecordTable<MacSpoofRec> {
    using R = MacSpoofRec;
    static constexpr const char* kName = "MacSpoofRec";
    static constexpr uint32_t kSize = kMacSpoofRecSize;
    static constexpr RecordField kFields[] = {
        Bytes<&R::mac>("mac", 0).Key().Column(1), Reserved(6, 2),  U32<&R::portId>("portId", 8).Key().Column(2),
        U8<&R::vpi>("vpi", 12).Key().Column(3),   Reserved(13, 1), U16<&R::vci>("vci", 14).Key().Column(4),
        U16<&R::vlanId>("vlanId", 16).Column(5),  Reserved(18, 2), U32<&R::status>("status", 20).Column(6),
    };
};
