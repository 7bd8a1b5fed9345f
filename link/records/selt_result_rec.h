#pragma once
// SeltResultRec (16 bytes, request 668): the result of the single-ended loop test of one ADSL port. A query sends
// the port's packed entity id (WordRecord); a result is present when its validity is 2.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kSeltResultRecSize = 16;

struct SeltResultRec {
    uint32_t entityId = 0;    // packed entity id of the port
    uint32_t validity = 0;    // 2: result present
    uint32_t cableType = 0;   // 1 24 AWG, 2 26 AWG
    uint32_t reachLength = 0; // feet
    bool operator==(const SeltResultRec&) const = default;
};

template <> struct RecordTable<SeltResultRec> {
    using R = SeltResultRec;
    static constexpr const char* kName = "SeltResultRec";
    static constexpr uint32_t kSize = kSeltResultRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key().Column(1),
        U32<&R::validity>("validity", 4).Column(2),
        U32<&R::cableType>("cableType", 8).Column(3),
        U32<&R::reachLength>("reachLength", 12).Column(4),
    };
};
