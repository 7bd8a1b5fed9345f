#pragma once
// WordRecord (4 bytes): a request body of one 32-bit word, such as the packed entity id of a card or port to reset,
// or the switch that turns notifications on.

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
        U32<&R::value>("value", 0),
    };
};
