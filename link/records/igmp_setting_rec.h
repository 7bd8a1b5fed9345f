#pragma once
// IgmpSettingRec (44 bytes, request 495): the NE's IGMP function, snooping or proxy, with the settings of both.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kIgmpSettingRecSize = 44;
inline constexpr uint32_t kIgmpModeSnooping = 1;
inline constexpr uint32_t kIgmpModeProxy = 2;

struct IgmpSettingRec {
    uint32_t mode = 0;                       // 1 snooping, 2 proxy, 3 disabled (anything but 1 or 2 reads as disabled)
    uint32_t snoopingAgingTime = 0;          // seconds, 1..600
    uint8_t proxyQueryRetries = 0;           // 1..5
    uint32_t proxyQueryResponseInterval = 0; // tenths of a second, 1..6000
    uint32_t proxyImmediateLeave = 0;        // 1 on, 0 off
    uint32_t snoopingImmediateLeave = 0;     // 1 on, 0 off
    uint8_t snoopingQueryRetries = 0;        // 1..5
    uint32_t snoopingQueryResponseInterval = 0;
    uint32_t queryVersion = 0;  // 2 IGMPv2, 3 IGMPv3, 100 Auto
    uint32_t reportVersion = 0; // the same coding
    bool operator==(const IgmpSettingRec&) const = default;
};

template <> struct RecordTable<IgmpSettingRec> {
    using R = IgmpSettingRec;
    static constexpr const char* kName = "IgmpSettingRec";
    static constexpr uint32_t kSize = kIgmpSettingRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::mode>("mode", 0).Column(1, kColumnWritable),
        Reserved(4, 4),
        U32<&R::snoopingAgingTime>("snoopingAgingTime", 8).Column(2, kColumnWritable),
        U8<&R::proxyQueryRetries>("proxyQueryRetries", 12).Column(3, kColumnWritable),
        Reserved(13, 3),
        U32<&R::proxyQueryResponseInterval>("proxyQueryResponseInterval", 16).Column(4, kColumnWritable),
        U32<&R::proxyImmediateLeave>("proxyImmediateLeave", 20).Column(5, kColumnWritable),
        U32<&R::snoopingImmediateLeave>("snoopingImmediateLeave", 24).Column(6, kColumnWritable),
        U8<&R::snoopingQueryRetries>("snoopingQueryRetries", 28).Column(7, kColumnWritable),
        Reserved(29, 3),
        U32<&R::snoopingQueryResponseInterval>("snoopingQueryResponseInterval", 32).Column(8, kColumnWritable),
        U32<&R::queryVersion>("queryVersion", 36).Column(9, kColumnWritable),
        U32<&R::reportVersion>("reportVersion", 40).Column(10, kColumnWritable),
    };
};
