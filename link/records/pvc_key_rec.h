#pragma once
// PvcKeyRec (8 bytes): the bytes that name a PVC of an xDSL port, as they lead the PVC's records. A query of the
// port's multicast channel (request 470) sends one, and a rule check's verdict lists the PVCs in conflict as such.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kPvcKeyRecSize = 8;

struct PvcKeyRec {
    uint32_t portId = 0; // packed entity id of the port; 0 = none
    uint8_t vpi = 0;
    uint16_t vci = 0;
    bool operator==(const PvcKeyRec&) const = default;
};

template <> struct RecordTable<PvcKeyRec> {
    using R = PvcKeyRec;
    static constexpr const char* kName = "PvcKeyRec";
    static constexpr uint32_t kSize = kPvcKeyRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::portId>("portId", 0).Column(1),
        U8<&R::vpi>("vpi", 4).Column(2),
        Reserved(5, 1),
        U16<&R::vci>("vci", 6).Column(3),
    };
};
