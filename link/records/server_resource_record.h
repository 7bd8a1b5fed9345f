#pragma once
// ServerResourceRecord (9 bytes, the reply of request 7; the query sends a 1-byte body): the management server host's
// free swap and memory and its processor load. Bytes past the ninth are not read.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kServerResourceRecordSize = 9;

struct ServerResourceRecord {
    uint32_t freeSwapKb = 0;
    uint32_t freeMemoryKb = 0;
    uint8_t cpuPercent = 0;
    bool operator==(const ServerResourceRecord&) const = default;
};

template <> struct RecordTable<ServerResourceRecord> {
    using R = ServerResourceRecord;
    static constexpr const char* kName = "ServerResourceRecord";
    static constexpr uint32_t kSize = kServerResourceRecordSize;
    static constexpr RecordField kFields[] = {
        U32<&R::freeSwapKb>("freeSwapKb", 0),
        U32<&R::freeMemoryKb>("freeMemoryKb", 4),
        U8<&R::cpuPercent>("cpuPercent", 8),
    };
};
