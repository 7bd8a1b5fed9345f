#pragma once
// ShdslIntervalRec (36 bytes, request 811): one stored 15-minute interval of one side of an SHDSL port, the latest
// first. A query sends ShdslHistoryQueryRec.

#include "link/records/record_codec.h"
#include "link/records/shdsl_pm_counters_rec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kShdslIntervalRecSize = 36;
inline constexpr size_t kShdslHistoryQueryRecSize = 12;

struct ShdslIntervalRec {
    // The port and side the query names, and the interval's number among the port's (1 the latest; a query sends 0);
    // not read by the dialogs.
    uint32_t entityId = 0;
    uint32_t side = 0;
    uint32_t intervalSelector = 0;
    ShdslPmCountersRec counters;
    uint32_t createTime = 0; // seconds since 1970
    bool operator==(const ShdslIntervalRec&) const = default;
};

template <> struct RecordTable<ShdslIntervalRec> {
    using R = ShdslIntervalRec;
    static constexpr const char* kName = "ShdslIntervalRec";
    static constexpr uint32_t kSize = kShdslIntervalRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key().Column(1),
        U32<&R::side>("side", 4).Key().Column(2),
        U32<&R::intervalSelector>("intervalSelector", 8).Key().Column(3),
        Nested<&R::counters>("counters", 12).Column(4),
        U32<&R::createTime>("createTime", 32).Column(9),
    };
};

// The body of an SHDSL interval query.
struct ShdslHistoryQueryRec {
    uint32_t entityId = 0;        // packed entity id of the port
    uint32_t side = 0;            // 1 CO, 2 RT
    uint8_t intervalSelector = 0; // the workstation sends 0
    bool operator==(const ShdslHistoryQueryRec&) const = default;
};

template <> struct RecordTable<ShdslHistoryQueryRec> {
    using R = ShdslHistoryQueryRec;
    static constexpr const char* kName = "ShdslHistoryQueryRec";
    static constexpr uint32_t kSize = kShdslHistoryQueryRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0),
        U32<&R::side>("side", 4),
        U8<&R::intervalSelector>("intervalSelector", 8),
        Reserved(9, 3),
    };
};
