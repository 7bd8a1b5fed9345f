#pragma once
// ShdslPmRec (76 bytes, request 810): the counters of one side of an SHDSL port for the current 15 minutes, the
// current day and the previous day. A query sends ShdslPmQueryRec.

#include "link/records/record_codec.h"
#include "link/records/shdsl_pm_counters_rec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kShdslPmRecSize = 76;
inline constexpr size_t kShdslPmQueryRecSize = 8;

struct ShdslPmRec {
    uint32_t entityId = 0; // the port and side the query names; not read by the dialogs
    uint32_t side = 0;
    uint32_t elapsed15Min = 0; // seconds into the current 15 minutes, at most 900
    ShdslPmCountersRec current15Min;
    uint32_t elapsedDay = 0; // seconds into the current day, at most 86400
    ShdslPmCountersRec currentDay;
    ShdslPmCountersRec previousDay;
    bool operator==(const ShdslPmRec&) const = default;
};

template <> struct RecordTable<ShdslPmRec> {
    using R = ShdslPmRec;
    static constexpr const char* kName = "ShdslPmRec";
    static constexpr uint32_t kSize = kShdslPmRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key().Column(1),      U32<&R::side>("side", 4).Key().Column(2),
        U32<&R::elapsed15Min>("elapsed15Min", 8).Column(3),    Nested<&R::current15Min>("current15Min", 12).Column(4),
        U32<&R::elapsedDay>("elapsedDay", 32).Column(9),       Nested<&R::currentDay>("currentDay", 36).Column(10),
        Nested<&R::previousDay>("previousDay", 56).Column(15),
    };
};

// The body of an SHDSL PM query.
struct ShdslPmQueryRec {
    uint32_t entityId = 0; // packed entity id of the port
    uint32_t side = 0;     // 1 CO, 2 RT
    bool operator==(const ShdslPmQueryRec&) const = default;
};

template <> struct RecordTable<ShdslPmQueryRec> {
    using R = ShdslPmQueryRec;
    static constexpr const char* kName = "ShdslPmQueryRec";
    static constexpr uint32_t kSize = kShdslPmQueryRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0),
        U32<&R::side>("side", 4),
    };
};
