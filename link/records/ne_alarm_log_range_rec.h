#pragma once
// NeAlarmLogRangeRec (8 bytes): request 328 carries (first record number, last record number), request 329 carries
// (0, number of records).

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kNeAlarmLogRangeRecSize = 8;

struct NeAlarmLogRangeRec {
    uint32_t first = 0;
    uint32_t second = 0;
    bool operator==(const NeAlarmLogRangeRec&) const = default;
};

void EncodeNeAlarmLogRangeRec(const NeAlarmLogRangeRec& rec, uint8_t* out);
std::array<uint8_t, kNeAlarmLogRangeRecSize> EncodeNeAlarmLogRangeRec(const NeAlarmLogRangeRec& rec);
bool DecodeNeAlarmLogRangeRec(const uint8_t* data, size_t size, NeAlarmLogRangeRec* out);
