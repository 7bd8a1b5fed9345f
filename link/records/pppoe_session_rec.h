#pragma once
// PppoeSessionRec (28 bytes, request 511 query): the PPPoE session on a PVC of an xDSL port; the port and the PVC
// name it. A query sends a PppoeSessionRec holding the entity id of a slot or port.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kPppoeSessionRecSize = 28;

struct PppoeSessionRec {
    uint32_t portId = 0; // packed entity id of the port
    uint8_t vpi = 0;
    uint16_t vci = 0;
    uint16_t vlanId = 0;
    uint32_t sessionId = 0;
    std::array<uint8_t, 6> sourceMac{};
    uint32_t state = 0; // 1 idle, 2 init, 3 session, 4 poll
    bool operator==(const PppoeSessionRec&) const = default;
};

template <> struct RecordTable<PppoeSessionRec> {
    using R = PppoeSessionRec;
    static constexpr const char* kName = "PppoeSessionRec";
    static constexpr uint32_t kSize = kPppoeSessionRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::portId>("portId", 0).Key().Column(1),  U8<&R::vpi>("vpi", 4).Key().Column(2),           Reserved(5, 1),
        U16<&R::vci>("vci", 6).Key().Column(3),        U16<&R::vlanId>("vlanId", 8).Column(4),          Reserved(10, 2),
        U32<&R::sessionId>("sessionId", 12).Column(5), Bytes<&R::sourceMac>("sourceMac", 16).Column(6), Reserved(22, 2),
        U32<&R::state>("state", 24).Column(7),
    };
};
