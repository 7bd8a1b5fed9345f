#pragma once
// OpLogRecord (152 bytes, the reply records of request 16): one entry of the management server's operation log, who
// did what, on which NE, from where and when. A query sends OpLogCriteria and the request's NE id as the NE filter
// (0 all NEs); the reply's total is the number of matching entries.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kOpLogRecordSize = 152;
inline constexpr size_t kOpLogCriteriaSize = 28;
inline constexpr size_t kOpLogOperatorWidth = 12;
inline constexpr size_t kOpLogOperationWidth = 121;

struct OpLogRecord {
    uint32_t recordNo = 0;
    std::string operatorName;
    uint32_t neId = 0;               // the target NE, 0 none
    std::string operation;           // function, action and parameters, separated by ESC (27)
    std::array<uint8_t, 4> fromIp{}; // where the operator worked, first number first
    uint32_t time = 0;               // seconds since 1970-01-01 00:00 UTC
    bool operator==(const OpLogRecord&) const = default;
};

template <> struct RecordTable<OpLogRecord> {
    using R = OpLogRecord;
    static constexpr const char* kName = "OpLogRecord";
    static constexpr uint32_t kSize = kOpLogRecordSize;
    static constexpr RecordField kFields[] = {
        U32<&R::recordNo>("recordNo", 0).Key(),
        Text<&R::operatorName>("operatorName", 4, kOpLogOperatorWidth),
        U32<&R::neId>("neId", 16),
        Text<&R::operation>("operation", 20, kOpLogOperationWidth),
        Ipv4<&R::fromIp>("fromIp", 141),
        Reserved(145, 3),
        U32<&R::time>("time", 148),
    };
};

// What a query asks for: a window of the entries that match, counted from 1.
struct OpLogCriteria {
    std::string operatorName; // empty for every operator
    uint32_t startTime = 0;   // seconds since 1970-01-01 00:00 UTC; 0 no start
    uint32_t stopTime = 0;    // 0 no stop
    uint32_t firstRecord = 0;
    uint32_t recordCount = 0; // at most 5000 are shown
    bool operator==(const OpLogCriteria&) const = default;
};

template <> struct RecordTable<OpLogCriteria> {
    using R = OpLogCriteria;
    static constexpr const char* kName = "OpLogCriteria";
    static constexpr uint32_t kSize = kOpLogCriteriaSize;
    static constexpr RecordField kFields[] = {
        Text<&R::operatorName>("operatorName", 0, kOpLogOperatorWidth),
        U32<&R::startTime>("startTime", 12),
        U32<&R::stopTime>("stopTime", 16),
        U32<&R::firstRecord>("firstRecord", 20),
        U32<&R::recordCount>("recordCount", 24),
    };
};
