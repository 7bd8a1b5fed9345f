#pragma once
// NeTimeServerRecord (212 bytes, request 312): the network time servers the NE takes its time from, and how each one
// serves it. A write leaves the states zero.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kNeTimeServerRecordSize = 212;
inline constexpr size_t kNeTimeServerNameWidth = 64;

// Server states: 0 not set, 1 network timing source, 2 in backup mode, 3 fail to resolve the name, 4 no response.
struct NeTimeServerRecord {
    uint32_t protocol = 0;                // 1 SNTP, 0 none
    uint32_t periodMinutes = 0;           // update period
    std::array<std::string, 3> servers{}; // host name or dotted IPv4 address, at most 63 characters
    uint32_t firstServerState = 0;        // read only
    uint32_t secondServerState = 0;
    uint32_t thirdServerState = 0;
    bool operator==(const NeTimeServerRecord&) const = default;
};

template <> struct RecordTable<NeTimeServerRecord> {
    using R = NeTimeServerRecord;
    static constexpr const char* kName = "NeTimeServerRecord";
    static constexpr uint32_t kSize = kNeTimeServerRecordSize;
    static constexpr RecordField kFields[] = {
        U32<&R::protocol>("protocol", 0).Column(1, kColumnWritable),
        U32<&R::periodMinutes>("periodMinutes", 4).Column(2, kColumnWritable),
        TextItem<&R::servers, 0>("firstServer", 8, kNeTimeServerNameWidth).Column(3, kColumnWritable),
        TextItem<&R::servers, 1>("secondServer", 72, kNeTimeServerNameWidth).Column(4, kColumnWritable),
        TextItem<&R::servers, 2>("thirdServer", 136, kNeTimeServerNameWidth).Column(5, kColumnWritable),
        U32<&R::firstServerState>("firstServerState", 200).Column(6),
        U32<&R::secondServerState>("secondServerState", 204).Column(7),
        U32<&R::thirdServerState>("thirdServerState", 208).Column(8),
    };
};
