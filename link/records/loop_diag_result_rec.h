#pragma once
// LoopDiagResultRec (2372 bytes, request 664): the result of the loop diagnosis test of one ADSL port. A query sends
// the port's packed entity id (WordRecord); a result is present when its validity is 2. Per-tone codes: Hlog as
// little-endian u16 per tone (value 60 - m in 0.1 dB, 1023 not available), QLN as u8 per tone (-5 x (46 + n) in
// 0.1 dBm/Hz, 255 not available), SNR as u8 per tone (5 x (n - 64) in 0.1 dB, 255 not available).

#include "link/records/record_codec.h"
#include "link/records/xdsl_tone_counts.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kLoopDiagResultRecSize = 2372;
inline constexpr size_t kLoopDiagResultProfileNameWidth = 36;

struct LoopDiagResultRec {
    uint32_t entityId = 0;            // packed entity id of the port
    std::string lineProfile;          // the line profile the test ran with
    uint32_t validity = 0;            // 2: result present
    uint32_t downAttainableRate = 0;  // bit/s
    uint16_t upLoopAttenuation = 0;   // 0.1 dB
    uint16_t upSignalAttenuation = 0; // 0.1 dB
    int16_t upSnrMargin = 0;          // 0.1 dB
    int16_t downTxPower = 0;          // 0.1 dBm
    uint32_t upAttainableRate = 0;    // bit/s
    uint16_t downLoopAttenuation = 0; // 0.1 dB
    uint16_t downSignalAttenuation = 0;
    int16_t downSnrMargin = 0;
    int16_t upTxPower = 0;
    std::array<uint8_t, 2 * kDownstreamToneCount> downHlog{}; // u16 per tone
    std::array<uint8_t, 2 * kUpstreamToneCount> upHlog{};
    std::array<uint8_t, kDownstreamToneCount> downQln{};
    std::array<uint8_t, kUpstreamToneCount> upQln{};
    std::array<uint8_t, kDownstreamToneCount> downSnr{};
    std::array<uint8_t, kUpstreamToneCount> upSnr{};
    bool operator==(const LoopDiagResultRec&) const = default;
};

template <> struct RecordTable<LoopDiagResultRec> {
    using R = LoopDiagResultRec;
    static constexpr const char* kName = "LoopDiagResultRec";
    static constexpr uint32_t kSize = kLoopDiagResultRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key().Column(1),
        Text<&R::lineProfile>("lineProfile", 4, kLoopDiagResultProfileNameWidth).Column(2),
        U32<&R::validity>("validity", 40).Column(3),
        U32<&R::downAttainableRate>("downAttainableRate", 44).Column(4),
        U16<&R::upLoopAttenuation>("upLoopAttenuation", 48).Column(5),
        U16<&R::upSignalAttenuation>("upSignalAttenuation", 50).Column(6),
        I16<&R::upSnrMargin>("upSnrMargin", 52).Column(7),
        I16<&R::downTxPower>("downTxPower", 54).Column(8),
        U32<&R::upAttainableRate>("upAttainableRate", 56).Column(9),
        U16<&R::downLoopAttenuation>("downLoopAttenuation", 60).Column(10),
        U16<&R::downSignalAttenuation>("downSignalAttenuation", 62).Column(11),
        I16<&R::downSnrMargin>("downSnrMargin", 64).Column(12),
        I16<&R::upTxPower>("upTxPower", 66).Column(13),
        Bytes<&R::downHlog>("downHlog", 68).Column(14),
        Bytes<&R::upHlog>("upHlog", 1092).Column(15),
        Bytes<&R::downQln>("downQln", 1220).Column(16),
        Bytes<&R::upQln>("upQln", 1732).Column(17),
        Bytes<&R::downSnr>("downSnr", 1796).Column(18),
        Bytes<&R::upSnr>("upSnr", 2308).Column(19),
    };
};
