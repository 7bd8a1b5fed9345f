#pragma once
// ShdslCardStatusRecord (12 bytes, the reply records of a request 322 query, which sends one of zeros): how far an
// SHDSL line card of the NE is in loading new firmware. Request 322 with operation 2 asks the NE to upgrade one card,
// named by its packed entity id in a WordRecord.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kShdslCardStatusRecordSize = 12;

struct ShdslCardStatusRecord {
    uint32_t cardId = 0;  // packed entity id of the line card
    uint32_t modelId = 0; // entity model id of the card
    uint32_t status = 0;  // 1 initial, 2 in transmission, 3 in burning, 4 finished, 5 failed to burn the image,
                          // 6 line driver error, 7 no firmware image, 8 transmission error, other values failed
    bool operator==(const ShdslCardStatusRecord&) const = default;
};

template <> struct RecordTable<ShdslCardStatusRecord> {
    using R = ShdslCardStatusRecord;
    static constexpr const char* kName = "ShdslCardStatusRecord";
    static constexpr uint32_t kSize = kShdslCardStatusRecordSize;
    static constexpr RecordField kFields[] = {
        U32<&R::cardId>("cardId", 0).Key().Column(1),
        U32<&R::modelId>("modelId", 4).Column(2),
        U32<&R::status>("status", 8).Column(3),
    };
};
