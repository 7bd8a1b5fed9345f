#pragma once
// XdslPmThresholdProfileRec (76 bytes): one xDSL PM threshold profile (shown as an "alarm profile"), named by its
// name: the NE's profiles (requests 650 query and modify, 651 add, 652 delete) and the server's templates of them
// (124 to 127, NE 0). A query sends a 33-byte name, empty for all. Each threshold is in seconds, 0 = off. An NE
// serves its profiles in direct mode as a table indexed by the name.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kXdslPmThresholdProfileRecSize = 76;
inline constexpr size_t kXdslPmThresholdProfileNameWidth = 33;

struct XdslPmThresholdProfileRec {
    std::string name;       // at most 32 characters
    uint16_t coEs15Min = 0; // 1..900
    uint16_t coSes15Min = 0;
    uint16_t coUas15Min = 0;
    uint32_t coEsDay = 0; // 1..86400
    uint32_t coSesDay = 0;
    uint32_t coUasDay = 0;
    uint16_t rtEs15Min = 0;
    uint16_t rtSes15Min = 0;
    uint16_t rtUas15Min = 0;
    uint32_t rtEsDay = 0;
    uint32_t rtSesDay = 0;
    uint32_t rtUasDay = 0;
    uint32_t status = 0; // 1 enabled, other values disabled
    bool operator==(const XdslPmThresholdProfileRec&) const = default;
};

template <> struct RecordTable<XdslPmThresholdProfileRec> {
    using R = XdslPmThresholdProfileRec;
    static constexpr const char* kName = "XdslPmThresholdProfileRec";
    static constexpr uint32_t kSize = kXdslPmThresholdProfileRecSize;
    static constexpr RecordField kFields[] = {
        Text<&R::name>("name", 0, kXdslPmThresholdProfileNameWidth).Key().Column(1),
        Reserved(33, 1),
        U16<&R::coEs15Min>("coEs15Min", 34).Column(2, kColumnWritable),
        U16<&R::coSes15Min>("coSes15Min", 36).Column(3, kColumnWritable),
        U16<&R::coUas15Min>("coUas15Min", 38).Column(4, kColumnWritable),
        U32<&R::coEsDay>("coEsDay", 40).Column(5, kColumnWritable),
        U32<&R::coSesDay>("coSesDay", 44).Column(6, kColumnWritable),
        U32<&R::coUasDay>("coUasDay", 48).Column(7, kColumnWritable),
        U16<&R::rtEs15Min>("rtEs15Min", 52).Column(8, kColumnWritable),
        U16<&R::rtSes15Min>("rtSes15Min", 54).Column(9, kColumnWritable),
        U16<&R::rtUas15Min>("rtUas15Min", 56).Column(10, kColumnWritable),
        Reserved(58, 2),
        U32<&R::rtEsDay>("rtEsDay", 60).Column(11, kColumnWritable),
        U32<&R::rtSesDay>("rtSesDay", 64).Column(12, kColumnWritable),
        U32<&R::rtUasDay>("rtUasDay", 68).Column(13, kColumnWritable),
        U32<&R::status>("status", 72).Column(14, kColumnWritable),
    };
};
