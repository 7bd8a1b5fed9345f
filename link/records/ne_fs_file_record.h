#pragma once
// NeFsFileRecord (64 bytes, request 361): one file of the NE's flash file system. A query sends a record of zeros and
// gets one record per file; a write with the action 1 deletes the file it names. Request 360 formats a partition,
// given as a WordRecord.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kNeFsFileRecordSize = 64;
inline constexpr size_t kNeFsFileNameWidth = 34;
inline constexpr size_t kNeFsFileTimeWidth = 20;

struct NeFsFileRecord {
    uint16_t partition = 0; // 1 opCodeA, 2 opCodeB (the firmware images), 3 cfg
    std::string name;       // at most 32 characters are sent
    int32_t size = 0;       // bytes
    std::string dateTime;   // as the NE formats it
    uint16_t action = 0;    // 1 in a delete
    bool operator==(const NeFsFileRecord&) const = default;
};

template <> struct RecordTable<NeFsFileRecord> {
    using R = NeFsFileRecord;
    static constexpr const char* kName = "NeFsFileRecord";
    static constexpr uint32_t kSize = kNeFsFileRecordSize;
    static constexpr RecordField kFields[] = {
        U16<&R::partition>("partition", 0).Key().Column(1),
        Text<&R::name>("name", 2, kNeFsFileNameWidth).Key().Column(2),
        I32<&R::size>("size", 36).Column(3),
        Text<&R::dateTime>("dateTime", 40, kNeFsFileTimeWidth).Column(4),
        U16<&R::action>("action", 60).Column(5, kColumnWritable),
        Reserved(62, 2),
    };
};
