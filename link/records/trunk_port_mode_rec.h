#pragma once
// TrunkPortModeRec (8 bytes, request 717): whether a trunk port is an uplink or a subtend port.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kTrunkPortModeRecSize = 8;

struct TrunkPortModeRec {
    uint32_t entityId = 0; // packed entity id of the trunk port
    uint32_t uplink = 0;   // 1 uplink, 0 subtend
    bool operator==(const TrunkPortModeRec&) const = default;
};

template <> struct RecordTable<TrunkPortModeRec> {
    using R = TrunkPortModeRec;
    static constexpr const char* kName = "TrunkPortModeRec";
    static constexpr uint32_t kSize = kTrunkPortModeRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key().Column(1),
        U32<&R::uplink>("uplink", 4).Column(2, kColumnWritable),
    };
};
