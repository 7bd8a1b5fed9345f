#pragma once
// ShdslRateStatusRec (32 bytes, request 809): the line rate, mode, margins and attenuations of one SHDSL port, at the
// STU-C (central office) and the STU-R (remote) end. A query sends the port's packed entity id (WordRecord).

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kShdslRateStatusRecSize = 32;

struct ShdslRateStatusRec {
    uint32_t entityId = 0;        // packed entity id of the port
    uint32_t mode = 0;            // 0x40 annex B, 0x80 annex A, 0xC0 both
    uint32_t attainableRate = 0;  // bit/s
    uint32_t currentRate = 0;     // bit/s
    uint32_t stucSnrMargin = 0;   // dB
    uint32_t sturSnrMargin = 0;   // dB
    uint32_t stucAttenuation = 0; // dB
    uint32_t sturAttenuation = 0; // dB
    bool operator==(const ShdslRateStatusRec&) const = default;
};

template <> struct RecordTable<ShdslRateStatusRec> {
    using R = ShdslRateStatusRec;
    static constexpr const char* kName = "ShdslRateStatusRec";
    static constexpr uint32_t kSize = kShdslRateStatusRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key().Column(1),
        U32<&R::mode>("mode", 4).Column(2),
        U32<&R::attainableRate>("attainableRate", 8).Column(3),
        U32<&R::currentRate>("currentRate", 12).Column(4),
        U32<&R::stucSnrMargin>("stucSnrMargin", 16).Column(5),
        U32<&R::sturSnrMargin>("sturSnrMargin", 20).Column(6),
        U32<&R::stucAttenuation>("stucAttenuation", 24).Column(7),
        U32<&R::sturAttenuation>("sturAttenuation", 28).Column(8),
    };
};
