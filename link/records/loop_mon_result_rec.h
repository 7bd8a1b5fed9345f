#pragma once
// LoopMonResultRec (1736 bytes, request 666): the result of the loop monitoring test of one ADSL port. A query sends
// the port's packed entity id (WordRecord); a result is present when its validity is 2. Per-tone codes as in
// LoopDiagResultRec: Hlog a little-endian u16 per tone, QLN a u8 per tone.

#include "link/records/record_codec.h"
#include "link/records/xdsl_tone_counts.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kLoopMonResultRecSize = 1736;

struct LoopMonResultRec {
    uint32_t entityId = 0;                                    // packed entity id of the port
    uint32_t validity = 0;                                    // 2: result present
    std::array<uint8_t, 2 * kDownstreamToneCount> downHlog{}; // u16 per tone
    std::array<uint8_t, 2 * kUpstreamToneCount> upHlog{};
    std::array<uint8_t, kDownstreamToneCount> downQln{};
    std::array<uint8_t, kUpstreamToneCount> upQln{};
    bool operator==(const LoopMonResultRec&) const = default;
};

template <> struct RecordTable<LoopMonResultRec> {
    using R = LoopMonResultRec;
    static constexpr const char* kName = "LoopMonResultRec";
    static constexpr uint32_t kSize = kLoopMonResultRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key().Column(1), U32<&R::validity>("validity", 4).Column(2),
        Bytes<&R::downHlog>("downHlog", 8).Column(3),     Bytes<&R::upHlog>("upHlog", 1032).Column(4),
        Bytes<&R::downQln>("downQln", 1160).Column(5),    Bytes<&R::upQln>("upQln", 1672).Column(6),
    };
};
