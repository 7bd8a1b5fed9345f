#pragma once
// AdslCurrentPmRec (120 bytes, requests 600 CO side and 601 RT side): the counters of one ADSL port for the current
// 15 minutes, the current day and the previous day. A query sends the port's packed entity id (WordRecord); the NE
// keeps one row per port.

#include "link/records/record_codec.h"
#include "link/records/xdsl_pm_counters_rec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kAdslCurrentPmRecSize = 120;

struct AdslCurrentPmRec {
    uint32_t entityId = 0;     // the port the query names; not shown
    uint32_t elapsed15Min = 0; // seconds into the current 15 minutes, at most 900
    XdslPmCountersRec current15Min;
    uint32_t elapsedDay = 0; // seconds into the current day, at most 86400
    XdslPmCountersRec currentDay;
    XdslPmCountersRec previousDay;
    bool operator==(const AdslCurrentPmRec&) const = default;
};

template <> struct RecordTable<AdslCurrentPmRec> {
    using R = AdslCurrentPmRec;
    static constexpr const char* kName = "AdslCurrentPmRec";
    static constexpr uint32_t kSize = kAdslCurrentPmRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key().Column(1),      U32<&R::elapsed15Min>("elapsed15Min", 4).Column(2),
        Nested<&R::current15Min>("current15Min", 8).Column(3), U32<&R::elapsedDay>("elapsedDay", 44).Column(12),
        Nested<&R::currentDay>("currentDay", 48).Column(13),   Nested<&R::previousDay>("previousDay", 84).Column(22),
    };
};
