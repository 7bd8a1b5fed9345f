#pragma once
// WordRecord (4 bytes): a record of one 32-bit word: the packed entity id of a card or port to reset (341, 342) or of
// an SHDSL line card to upgrade (322), the switch that turns notifications on (334), the server's clock in seconds
// since 1970 (4), and the NE's one-word settings and commands: the protocol of a time adjustment (313), the secured
// host state (320), the NetBIOS filter (321), the telnet time-out in minutes (324), the partition to format (360).

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kWordRecordSize = 4;

struct WordRecord {
    uint32_t value = 0;
    bool operator==(const WordRecord&) const = default;
};

template <> struct RecordTable<WordRecord> {
    using R = WordRecord;
    static constexpr const char* kName = "WordRecord";
    static constexpr uint32_t kSize = kWordRecordSize;
    static constexpr RecordField kFields[] = {
        U32<&R::value>("value", 0).Column(1, kColumnWritable),
    };
};
