#pragma once
// AlarmStatRec (12 bytes, the reply records of request 331): how many history records one entity has of one
// severity.

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kAlarmStatRecSize = 12;

struct AlarmStatRec {
    uint32_t entityId = 0;
    uint32_t severity = 0; // 1..5
    uint32_t count = 0;
    bool operator==(const AlarmStatRec&) const = default;
};

void EncodeAlarmStatRec(const AlarmStatRec& rec, uint8_t* out);
std::array<uint8_t, kAlarmStatRecSize> EncodeAlarmStatRec(const AlarmStatRec& rec);
bool DecodeAlarmStatRec(const uint8_t* data, size_t size, AlarmStatRec* out);
