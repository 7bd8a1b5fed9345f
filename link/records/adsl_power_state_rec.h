#pragma once
// AdslPowerStateRec (8 bytes, request 669): the command that takes one ADSL line into a power state. In direct mode
// it is a write of the target to the port's row, which reads as the line's power state.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kAdslPowerStateRecSize = 8;

struct AdslPowerStateRec {
    uint32_t entityId = 0;    // packed entity id of the port
    uint32_t targetState = 0; // 0 L0, 1 L2, 2 L3
    bool operator==(const AdslPowerStateRec&) const = default;
};

template <> struct RecordTable<AdslPowerStateRec> {
    using R = AdslPowerStateRec;
    static constexpr const char* kName = "AdslPowerStateRec";
    static constexpr uint32_t kSize = kAdslPowerStateRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key().Column(1),
        U32<&R::targetState>("targetState", 4).Column(2, kColumnWritable),
    };
};
