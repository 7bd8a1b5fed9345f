#pragma once
// XdslPmCountersRec (36 bytes): the counters of one interval of an xDSL port, as the ADSL current counters and the
// stored intervals carry them. Seconds and counts are bounded by the interval's length (900 for 15 minutes, 86400
// for a day); a group above it is not valid. The RT side carries no cells or initialisations. In the NE's MIB the
// counters are columns 1..9 of whatever table repeats them.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kXdslPmCountersRecSize = 36;

struct XdslPmCountersRec {
    uint32_t los = 0; // seconds
    uint32_t es = 0;
    uint32_t ses = 0;
    uint32_t uas = 0;
    uint32_t txCells = 0; // 53-byte ATM cells
    uint32_t rxCells = 0;
    uint32_t cvs = 0; // code violations
    uint32_t fullInits = 0;
    uint32_t failedInits = 0;
    bool operator==(const XdslPmCountersRec&) const = default;
};

template <> struct RecordTable<XdslPmCountersRec> {
    using R = XdslPmCountersRec;
    static constexpr const char* kName = "XdslPmCountersRec";
    static constexpr uint32_t kSize = kXdslPmCountersRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::los>("los", 0).Column(1),
        U32<&R::es>("es", 4).Column(2),
        U32<&R::ses>("ses", 8).Column(3),
        U32<&R::uas>("uas", 12).Column(4),
        U32<&R::txCells>("txCells", 16).Column(5),
        U32<&R::rxCells>("rxCells", 20).Column(6),
        U32<&R::cvs>("cvs", 24).Column(7),
        U32<&R::fullInits>("fullInits", 28).Column(8),
        U32<&R::failedInits>("failedInits", 32).Column(9),
    };
};
