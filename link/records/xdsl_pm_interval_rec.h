#pragma once
// XdslPmIntervalRec (48 bytes): one stored 15-minute PM interval of an xDSL port, the latest first. Requests 616 (CO
// side) and 617 (RT side) list the intervals the NE keeps and send AdslHistoryQueryRec; the long-term PM records of
// requests 110 (CO) and 111 (RT) have the same layout and send LongTermPmQueryRec. The port and the interval's id name
// a record: the NE's rows of a port, in the order of their ids.

#include "link/records/record_codec.h"
#include "link/records/xdsl_pm_counters_rec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kXdslPmIntervalRecSize = 48;
inline constexpr size_t kAdslHistoryQueryRecSize = 8;
inline constexpr size_t kLongTermPmQueryRecSize = 12;

struct XdslPmIntervalRec {
    uint32_t entityId = 0; // the port the query names; not shown
    // Not shown: the interval's number among the stored day's, 1 the latest (616, 617), or its creation time (110,
    // 111), so that a range of creation times is a range of rows.
    uint32_t intervalId = 0;
    XdslPmCountersRec counters;
    uint32_t createTime = 0; // seconds since 1970
    bool operator==(const XdslPmIntervalRec&) const = default;
};

template <> struct RecordTable<XdslPmIntervalRec> {
    using R = XdslPmIntervalRec;
    static constexpr const char* kName = "XdslPmIntervalRec";
    static constexpr uint32_t kSize = kXdslPmIntervalRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key().Column(1),
        U32<&R::intervalId>("intervalId", 4).Key().Column(2),
        Nested<&R::counters>("counters", 8).Column(3),
        U32<&R::createTime>("createTime", 44).Column(12),
    };
};

// The body of an ADSL interval query (616, 617).
struct AdslHistoryQueryRec {
    uint32_t entityId = 0;        // packed entity id of the port
    uint8_t intervalSelector = 0; // the workstation sends 0
    bool operator==(const AdslHistoryQueryRec&) const = default;
};

template <> struct RecordTable<AdslHistoryQueryRec> {
    using R = AdslHistoryQueryRec;
    static constexpr const char* kName = "AdslHistoryQueryRec";
    static constexpr uint32_t kSize = kAdslHistoryQueryRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0),
        U8<&R::intervalSelector>("intervalSelector", 4),
        Reserved(5, 3),
    };
};

// The body of a long-term PM query (110, 111): the port and the range of creation times wanted.
struct LongTermPmQueryRec {
    uint32_t entityId = 0; // packed entity id of the port
    int32_t start = 0;     // seconds since 1970
    int32_t stop = 0;
    bool operator==(const LongTermPmQueryRec&) const = default;
};

template <> struct RecordTable<LongTermPmQueryRec> {
    using R = LongTermPmQueryRec;
    static constexpr const char* kName = "LongTermPmQueryRec";
    static constexpr uint32_t kSize = kLongTermPmQueryRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0),
        I32<&R::start>("start", 4),
        I32<&R::stop>("stop", 8),
    };
};
