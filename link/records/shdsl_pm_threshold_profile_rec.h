#pragma once
// ShdslPmThresholdProfileRec (52 bytes): one SHDSL PM threshold profile (shown as an "alarm profile") of the CO side,
// named by its name: the NE's profiles (requests 804 query and modify, 805 add, 806 delete) and the server's
// templates of them (154 to 157, NE 0). A query sends a 33-byte name.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kShdslPmThresholdProfileRecSize = 52;
inline constexpr size_t kShdslPmThresholdProfileNameWidth = 33;

struct ShdslPmThresholdProfileRec {
    std::string name;               // at most 32 characters
    int16_t maxLoopAttenuation = 0; // dB 1..126; 127 off
    int16_t minSnrMargin = 0;       // dB 1..15; 0 off
    // 15-minute thresholds, 0 off: seconds 1..900, CRC anomalies 1..44100.
    uint16_t es = 0;
    uint16_t ses = 0;
    uint16_t uas = 0;
    uint16_t losws = 0;
    uint16_t crc = 0;
    uint32_t rowState = 0; // the editor writes 1
    bool operator==(const ShdslPmThresholdProfileRec&) const = default;
};

template <> struct RecordTable<ShdslPmThresholdProfileRec> {
    using R = ShdslPmThresholdProfileRec;
    static constexpr const char* kName = "ShdslPmThresholdProfileRec";
    static constexpr uint32_t kSize = kShdslPmThresholdProfileRecSize;
    static constexpr RecordField kFields[] = {
        Text<&R::name>("name", 0, kShdslPmThresholdProfileNameWidth).Key().Column(1),
        Reserved(33, 1),
        I16<&R::maxLoopAttenuation>("maxLoopAttenuation", 34).Column(2, kColumnWritable),
        I16<&R::minSnrMargin>("minSnrMargin", 36).Column(3, kColumnWritable),
        U16<&R::es>("es", 38).Column(4, kColumnWritable),
        U16<&R::ses>("ses", 40).Column(5, kColumnWritable),
        U16<&R::uas>("uas", 42).Column(6, kColumnWritable),
        U16<&R::losws>("losws", 44).Column(7, kColumnWritable),
        U16<&R::crc>("crc", 46).Column(8, kColumnWritable),
        U32<&R::rowState>("rowState", 48).Column(9, kColumnWritable),
    };
};
