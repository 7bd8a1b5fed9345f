#pragma once
// MacSpoofCheckRec (48 bytes, request 487): the NE's check before a spoofed MAC address is permitted on a PVC.
// Written with operation 2 (command 5 runs the check), then read with operation 1: the reply gives the result.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kMacSpoofCheckRecSize = 48;

struct MacSpoofCheckRec {
    uint32_t command = 0; // 5 runs the check
    std::array<uint8_t, 6> mac{};
    uint32_t entityId = 0; // packed entity id of the PVC's port
    uint8_t vpi = 0;
    uint16_t vci = 0;
    // The reply's: 0 never run, 2 no such VC-VLAN, 3 the MAC is reserved, 4 the entry exists or is reserved; other
    // values let the permit go on.
    uint32_t result = 0;
    bool operator==(const MacSpoofCheckRec&) const = default;
};

template <> struct RecordTable<MacSpoofCheckRec> {
    using R = MacSpoofCheckRec;
    static constexpr const char* kName = "MacSpoofCheckRec";
    static constexpr uint32_t kSize = kMacSpoofCheckRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::command>("command", 0).Column(1, kColumnWritable),
        Bytes<&R::mac>("mac", 4).Column(2, kColumnWritable),
        Reserved(10, 2),
        U32<&R::entityId>("entityId", 12).Column(3, kColumnWritable),
        U8<&R::vpi>("vpi", 16).Column(4, kColumnWritable),
        Reserved(17, 1),
        U16<&R::vci>("vci", 18).Column(5, kColumnWritable),
        U32<&R::result>("result", 20).Column(6),
        Reserved(24, 24),
    };
};
