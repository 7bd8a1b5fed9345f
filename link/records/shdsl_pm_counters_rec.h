#pragma once
// ShdslPmCountersRec (20 bytes): the counters of one interval of an SHDSL port. Seconds are bounded by the interval's
// length (900 for 15 minutes, 86400 for a day), CRC anomalies by 44100 in 15 minutes and 4233600 in a day; a group
// above its bound is not valid.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kShdslPmCountersRecSize = 20;

struct ShdslPmCountersRec {
    uint32_t es = 0; // seconds
    uint32_t ses = 0;
    uint32_t uas = 0;
    uint32_t losws = 0;
    uint32_t crc = 0; // anomalies
    bool operator==(const ShdslPmCountersRec&) const = default;
};

template <> struct RecordTable<ShdslPmCountersRec> {
    using R = ShdslPmCountersRec;
    static constexpr const char* kName = "ShdslPmCountersRec";
    static constexpr uint32_t kSize = kShdslPmCountersRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::es>("es", 0).Column(1),        U32<&R::ses>("ses", 4).Column(2),  U32<&R::uas>("uas", 8).Column(3),
        U32<&R::losws>("losws", 12).Column(4), U32<&R::crc>("crc", 16).Column(5),
    };
};
