#pragma once
// PvcRowStatusRec (12 bytes, request 418 query and modify): whether a PVC is in service. A PVC is taken out of
// service while it is changed and put back after.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kPvcRowStatusRecSize = 12;

struct PvcRowStatusRec {
    uint32_t portId = 0; // packed entity id of the port
    uint8_t vpi = 0;
    uint16_t vci = 0;
    uint32_t status = 0; // 1 active, 2 not in service, 3 not ready
    bool operator==(const PvcRowStatusRec&) const = default;
};

template <> struct RecordTable<PvcRowStatusRec> {
    using R = PvcRowStatusRec;
    static constexpr const char* kName = "PvcRowStatusRec";
    static constexpr uint32_t kSize = kPvcRowStatusRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::portId>("portId", 0).Key().Column(1),
        U8<&R::vpi>("vpi", 4).Key().Column(2),
        Reserved(5, 1),
        U16<&R::vci>("vci", 6).Key().Column(3),
        U32<&R::status>("status", 8).Column(4, kColumnWritable),
    };
};
