#pragma once
// OamLoopbackRec (16 bytes, request 344): asks the NE to send ATM F5 OAM loopback cells on one PVC of an xDSL port. In
// direct mode the NE takes it as writable scalars.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kOamLoopbackRecSize = 16;

struct OamLoopbackRec {
    uint32_t portId = 0; // packed entity id of the port
    uint8_t vpi = 0;
    uint16_t vci = 0;
    uint32_t segment = 0;  // 1 sends segment cells, else 0
    uint32_t endToEnd = 0; // 1 sends end-to-end cells, else 0
    bool operator==(const OamLoopbackRec&) const = default;
};

template <> struct RecordTable<OamLoopbackRec> {
    using R = OamLoopbackRec;
    static constexpr const char* kName = "OamLoopbackRec";
    static constexpr uint32_t kSize = kOamLoopbackRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::portId>("portId", 0).Column(1, kColumnWritable),
        U8<&R::vpi>("vpi", 4).Column(2, kColumnWritable),
        Reserved(5, 1),
        U16<&R::vci>("vci", 6).Column(3, kColumnWritable),
        U32<&R::segment>("segment", 8).Column(4, kColumnWritable),
        U32<&R::endToEnd>("endToEnd", 12).Column(5, kColumnWritable),
    };
};
