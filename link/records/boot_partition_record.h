#pragma once
// BootPartitionRecord (8 bytes, request 310): which of the NE's firmware partitions runs now and which one it boots
// next time.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kBootPartitionRecordSize = 8;

struct BootPartitionRecord {
    uint32_t current = 0; // 0, 1 or 2; written as 0
    uint32_t next = 0;    // 1 or 2
    bool operator==(const BootPartitionRecord&) const = default;
};

template <> struct RecordTable<BootPartitionRecord> {
    using R = BootPartitionRecord;
    static constexpr const char* kName = "BootPartitionRecord";
    static constexpr uint32_t kSize = kBootPartitionRecordSize;
    static constexpr RecordField kFields[] = {
        U32<&R::current>("current", 0).Column(1),
        U32<&R::next>("next", 4).Column(2, kColumnWritable),
    };
};
