#pragma once
// AdslRateStatusRec (96 bytes, request 661): the line status of one ADSL port as the NE trains it, downstream and
// upstream. A query sends the port's packed entity id (WordRecord); the NE keeps one row per port. Rates are in bit/s,
// margins, attenuations and powers in 0.1 dB (dBm), interleave delays in ms, the impulse noise protection in 0.01
// symbol time. The bytes between the fields are the NE's own and carried as zeros.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kAdslRateStatusRecSize = 96;

// Power states of an ADSL line (powerState).
inline constexpr uint32_t kAdslPowerL0 = 0;
inline constexpr uint32_t kAdslPowerL2 = 1;
inline constexpr uint32_t kAdslPowerL3ByCo = 2;
inline constexpr uint32_t kAdslPowerL3ByCpe = 3;

struct AdslRateStatusRec {
    uint32_t entityId = 0; // packed entity id of the port
    int16_t upSnrMargin = 0;
    uint16_t upAttenuation = 0;
    int16_t downOutputPower = 0;
    uint32_t downAttainableRate = 0;
    uint32_t downCurrentRate = 0;
    uint32_t downPreviousRate = 0;
    uint16_t downInterleaveDelay = 0;
    uint32_t downBlockLength = 0; // bytes
    int16_t downInp = 0;
    int16_t downSnrMargin = 0;
    uint16_t downAttenuation = 0;
    uint32_t upAttainableRate = 0;
    uint32_t upCurrentRate = 0;
    uint32_t upPreviousRate = 0;
    int16_t upOutputPower = 0;
    uint16_t upInterleaveDelay = 0;
    uint32_t upBlockLength = 0;
    int16_t upInp = 0;
    uint32_t lineStandard = 0;      // the standard the line trained with, 0..24
    uint32_t powerMgmtMode = 0;     // 1 automatic, else manual
    uint32_t powerState = 0;        // kAdslPower...
    uint32_t lineStandardValid = 0; // 1: lineStandard holds
    bool operator==(const AdslRateStatusRec&) const = default;
};

template <> struct RecordTable<AdslRateStatusRec> {
    using R = AdslRateStatusRec;
    static constexpr const char* kName = "AdslRateStatusRec";
    static constexpr uint32_t kSize = kAdslRateStatusRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key().Column(1),
        I16<&R::upSnrMargin>("upSnrMargin", 4).Column(2),
        U16<&R::upAttenuation>("upAttenuation", 6).Column(3),
        I16<&R::downOutputPower>("downOutputPower", 8).Column(4),
        U32<&R::downAttainableRate>("downAttainableRate", 12).Column(5),
        U32<&R::downCurrentRate>("downCurrentRate", 16).Column(6),
        U32<&R::downPreviousRate>("downPreviousRate", 20).Column(7),
        U16<&R::downInterleaveDelay>("downInterleaveDelay", 24).Column(8),
        U32<&R::downBlockLength>("downBlockLength", 28).Column(9),
        I16<&R::downInp>("downInp", 44).Column(10),
        I16<&R::downSnrMargin>("downSnrMargin", 46).Column(11),
        U16<&R::downAttenuation>("downAttenuation", 48).Column(12),
        U32<&R::upAttainableRate>("upAttainableRate", 52).Column(13),
        U32<&R::upCurrentRate>("upCurrentRate", 56).Column(14),
        U32<&R::upPreviousRate>("upPreviousRate", 60).Column(15),
        I16<&R::upOutputPower>("upOutputPower", 64).Column(16),
        U16<&R::upInterleaveDelay>("upInterleaveDelay", 66).Column(17),
        U32<&R::upBlockLength>("upBlockLength", 68).Column(18),
        I16<&R::upInp>("upInp", 72).Column(19),
        U32<&R::lineStandard>("lineStandard", 76).Column(20),
        U32<&R::powerMgmtMode>("powerMgmtMode", 80).Column(21),
        U32<&R::powerState>("powerState", 84).Column(22),
        U32<&R::lineStandardValid>("lineStandardValid", 92).Column(23),
    };
};
