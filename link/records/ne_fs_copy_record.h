#pragma once
// NeFsCopyRecord (88 bytes, request 362): one copy of a firmware file from one image partition of the NE to another,
// on the master or the slave control module. A write starts the copy; a query (a record of zeros) reads the state of
// the copy running.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kNeFsCopyRecordSize = 88;
inline constexpr size_t kNeFsCopyNameWidth = 36;

// Partitions 1 opCodeA or 2 opCodeB; names at most 32 characters.
struct NeFsCopyRecord {
    uint32_t sourcePartition = 0;
    std::string sourceName;
    uint32_t destPartition = 0;
    std::string destName;
    uint32_t destModule = 0; // 1 master, 2 slave control module
    uint32_t state = 0;      // read: 2 in progress; 3 cannot transfer, 4 cannot copy, 5 no source file, 6 internal
                             // error; any other value done
    bool operator==(const NeFsCopyRecord&) const = default;
};

template <> struct RecordTable<NeFsCopyRecord> {
    using R = NeFsCopyRecord;
    static constexpr const char* kName = "NeFsCopyRecord";
    static constexpr uint32_t kSize = kNeFsCopyRecordSize;
    static constexpr RecordField kFields[] = {
        U32<&R::sourcePartition>("sourcePartition", 0).Column(1, kColumnWritable),
        Text<&R::sourceName>("sourceName", 4, kNeFsCopyNameWidth).Column(2, kColumnWritable),
        U32<&R::destPartition>("destPartition", 40).Column(3, kColumnWritable),
        Text<&R::destName>("destName", 44, kNeFsCopyNameWidth).Column(4, kColumnWritable),
        U32<&R::destModule>("destModule", 80).Column(5, kColumnWritable),
        U32<&R::state>("state", 84).Column(6),
    };
};
