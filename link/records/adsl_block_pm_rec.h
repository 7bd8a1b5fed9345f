#pragma once
// AdslBlockPmRec (60 bytes, requests 602 CO side and 603 RT side): the block counters of one ADSL port for the current
// 15 minutes, the current day and the previous day. A query sends the port's packed entity id (WordRecord); the NE
// keeps one row per port.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kXdslBlockCountersRecSize = 16;
inline constexpr size_t kAdslBlockPmRecSize = 60;

// The blocks of one interval: received, transmitted, corrected and uncorrected.
struct XdslBlockCountersRec {
    uint32_t rxBlocks = 0;
    uint32_t txBlocks = 0;
    uint32_t correctedBlocks = 0;
    uint32_t uncorrectedBlocks = 0;
    bool operator==(const XdslBlockCountersRec&) const = default;
};

template <> struct RecordTable<XdslBlockCountersRec> {
    using R = XdslBlockCountersRec;
    static constexpr const char* kName = "XdslBlockCountersRec";
    static constexpr uint32_t kSize = kXdslBlockCountersRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::rxBlocks>("rxBlocks", 0).Column(1),
        U32<&R::txBlocks>("txBlocks", 4).Column(2),
        U32<&R::correctedBlocks>("correctedBlocks", 8).Column(3),
        U32<&R::uncorrectedBlocks>("uncorrectedBlocks", 12).Column(4),
    };
};

struct AdslBlockPmRec {
    uint32_t entityId = 0; // the port the query names
    XdslBlockCountersRec current15Min;
    XdslBlockCountersRec currentDay;
    XdslBlockCountersRec previousDay;
    bool operator==(const AdslBlockPmRec&) const = default;
};

// Bytes 4 and 24 are the NE's own and not shown.
template <> struct RecordTable<AdslBlockPmRec> {
    using R = AdslBlockPmRec;
    static constexpr const char* kName = "AdslBlockPmRec";
    static constexpr uint32_t kSize = kAdslBlockPmRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key().Column(1),      Reserved(4, 4),
        Nested<&R::current15Min>("current15Min", 8).Column(2), Reserved(24, 4),
        Nested<&R::currentDay>("currentDay", 28).Column(6),    Nested<&R::previousDay>("previousDay", 44).Column(10),
    };
};
