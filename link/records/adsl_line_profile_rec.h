#pragma once
// AdslLineProfileRec (148 bytes): one ADSL line profile, named by its name: the NE's profiles (requests 640 query and
// modify, 641 add, 642 delete) and the server's templates of them (120 to 123, NE 0). A query by name sends the
// record with the name set. Rates are in bit/s; both the fast and the interleaved field of a rate carry the same
// value. SNR margins are in 0.1 dB; the shift margins and times are 0 unless the rate mode is 3. An NE serves its
// profiles in direct mode as a table indexed by the name.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kAdslLineProfileRecSize = 148;
inline constexpr size_t kAdslLineProfileNameWidth = 33;
inline constexpr size_t kAdslSnrMarginsRecSize = 14;

// The SNR margins of one direction, in 0.1 dB, and its shift times in seconds.
struct AdslSnrMarginsRec {
    int16_t minimum = 0;
    int16_t maximum = 0;
    int16_t target = 0;
    int16_t upshift = 0;
    int16_t downshift = 0;
    int16_t minUpshiftTime = 0;
    int16_t minDownshiftTime = 0;
    bool operator==(const AdslSnrMarginsRec&) const = default;
};

struct AdslLineProfileRec {
    std::string name;         // at most 32 characters
    uint32_t channelMode = 0; // 2 fast, 3 interleaved
    uint32_t rateMode = 0;    // 1 fixed, 2 adaptive at start-up, 3 adaptive at run time
    AdslSnrMarginsRec upstreamSnr;
    AdslSnrMarginsRec downstreamSnr;
    uint32_t downMinRateFast = 0;
    uint32_t downMinRateInterleaved = 0;
    uint32_t downMaxRateFast = 0;
    uint32_t downMaxRateInterleaved = 0;
    uint8_t downMaxDelay = 0; // ms, 0 for fast
    int16_t downMinInp = 0;   // index 0..6: 0, 1/2, 1, 2, 4, 8, 16 symbols
    uint32_t upMinRateFast = 0;
    uint32_t upMinRateInterleaved = 0;
    uint32_t upMaxRateFast = 0;
    uint32_t upMaxRateInterleaved = 0;
    uint8_t upMaxDelay = 0;
    int16_t upMinInp = 0;
    int16_t downNominalPsd = 0; // 0.1 dBm/Hz, -400..40
    int16_t upNominalPsd = 0;
    uint32_t powerManagement = 0; // 1 automatic, other values manual
    uint32_t l2MinRate = 0;       // L2 minimum and low rate
    uint32_t l2MaxRate = 0;
    uint32_t l0MinTime = 0;        // seconds before monitoring starts, 0..65535
    uint32_t l2LowRateMinTime = 0; // seconds, 0..65535
    uint32_t cpeL3Request = 0;     // non-zero accept, 0 reject
    // Permitted line standards by bit: 0 G.dmt, 1 G.lite, 2 ADSL2, 3 ADSL2+, 4 ADSL2 annex M, 5 ADSL2+ annex M,
    // 6 ReADSL (annex L), 7 T1.413.
    uint32_t lineStandards = 0;
    uint32_t status = 0; // the editor writes 1
    bool operator==(const AdslLineProfileRec&) const = default;
};

// The SNR margins as they lead each direction's part of the record.
template <> struct RecordTable<AdslSnrMarginsRec> {
    using R = AdslSnrMarginsRec;
    static constexpr const char* kName = "AdslSnrMarginsRec";
    static constexpr uint32_t kSize = kAdslSnrMarginsRecSize;
    static constexpr RecordField kFields[] = {
        I16<&R::minimum>("minimum", 0).Column(1, kColumnWritable),
        I16<&R::maximum>("maximum", 2).Column(2, kColumnWritable),
        I16<&R::target>("target", 4).Column(3, kColumnWritable),
        I16<&R::upshift>("upshift", 6).Column(4, kColumnWritable),
        I16<&R::downshift>("downshift", 8).Column(5, kColumnWritable),
        I16<&R::minUpshiftTime>("minUpshiftTime", 10).Column(6, kColumnWritable),
        I16<&R::minDownshiftTime>("minDownshiftTime", 12).Column(7, kColumnWritable),
    };
};

template <> struct RecordTable<AdslLineProfileRec> {
    using R = AdslLineProfileRec;
    static constexpr const char* kName = "AdslLineProfileRec";
    static constexpr uint32_t kSize = kAdslLineProfileRecSize;
    static constexpr RecordField kFields[] = {
        Text<&R::name>("name", 0, kAdslLineProfileNameWidth).Key().Column(1),
        Reserved(33, 3),
        U32<&R::channelMode>("channelMode", 36).Column(2, kColumnWritable),
        U32<&R::rateMode>("rateMode", 40).Column(3, kColumnWritable),
        Nested<&R::upstreamSnr>("upstreamSnr", 44).Column(4),
        Nested<&R::downstreamSnr>("downstreamSnr", 58).Column(11),
        U32<&R::downMinRateFast>("downMinRateFast", 72).Column(18, kColumnWritable),
        U32<&R::downMinRateInterleaved>("downMinRateInterleaved", 76).Column(19, kColumnWritable),
        U32<&R::downMaxRateFast>("downMaxRateFast", 80).Column(20, kColumnWritable),
        U32<&R::downMaxRateInterleaved>("downMaxRateInterleaved", 84).Column(21, kColumnWritable),
        U8<&R::downMaxDelay>("downMaxDelay", 88).Column(22, kColumnWritable),
        Reserved(89, 1),
        I16<&R::downMinInp>("downMinInp", 90).Column(23, kColumnWritable),
        U32<&R::upMinRateFast>("upMinRateFast", 92).Column(24, kColumnWritable),
        U32<&R::upMinRateInterleaved>("upMinRateInterleaved", 96).Column(25, kColumnWritable),
        U32<&R::upMaxRateFast>("upMaxRateFast", 100).Column(26, kColumnWritable),
        U32<&R::upMaxRateInterleaved>("upMaxRateInterleaved", 104).Column(27, kColumnWritable),
        U8<&R::upMaxDelay>("upMaxDelay", 108).Column(28, kColumnWritable),
        Reserved(109, 1),
        I16<&R::upMinInp>("upMinInp", 110).Column(29, kColumnWritable),
        I16<&R::downNominalPsd>("downNominalPsd", 112).Column(30, kColumnWritable),
        I16<&R::upNominalPsd>("upNominalPsd", 114).Column(31, kColumnWritable),
        U32<&R::powerManagement>("powerManagement", 116).Column(32, kColumnWritable),
        U32<&R::l2MinRate>("l2MinRate", 120).Column(33, kColumnWritable),
        U32<&R::l2MaxRate>("l2MaxRate", 124).Column(34, kColumnWritable),
        U32<&R::l0MinTime>("l0MinTime", 128).Column(35, kColumnWritable),
        U32<&R::l2LowRateMinTime>("l2LowRateMinTime", 132).Column(36, kColumnWritable),
        U32<&R::cpeL3Request>("cpeL3Request", 136).Column(37, kColumnWritable),
        U32<&R::lineStandards>("lineStandards", 140).Column(38, kColumnWritable),
        U32<&R::status>("status", 144).Column(39, kColumnWritable),
    };
};
