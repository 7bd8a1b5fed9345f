#pragma once
// BitsAllocRec (580 bytes, request 662): the number of bits each tone of one ADSL port carries. A query sends the
// port's packed entity id (WordRecord).

#include "link/records/record_codec.h"
#include "link/records/xdsl_tone_counts.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kBitsAllocRecSize = 580;

struct BitsAllocRec {
    uint32_t entityId = 0;                                // packed entity id of the port
    std::array<uint8_t, kDownstreamToneCount> downBits{}; // by tone 0..511
    std::array<uint8_t, kUpstreamToneCount> upBits{};     // by tone 0..63
    bool operator==(const BitsAllocRec&) const = default;
};

template <> struct RecordTable<BitsAllocRec> {
    using R = BitsAllocRec;
    static constexpr const char* kName = "BitsAllocRec";
    static constexpr uint32_t kSize = kBitsAllocRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key().Column(1),
        Bytes<&R::downBits>("downBits", 4).Column(2),
        Bytes<&R::upBits>("upBits", 516).Column(3),
    };
};
