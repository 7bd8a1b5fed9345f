#pragma once
// AlarmDefRec (124 bytes, requests 145 and 327): one alarm definition of an entity model.

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kAlarmDefRecSize = 124;

struct AlarmDefRec {
    uint32_t modelId = 0;
    uint8_t alarmIndex = 0; // 0..31
    std::array<uint8_t, 3> padding{};
    uint32_t neModelId = 0;
    std::array<uint8_t, 100> unfilled{}; // bytes 12..111, sent zeroed by the workstation
    uint32_t severity = 0;               // 1 critical .. 5 info, 0 none
    uint32_t reporting = 0;              // 1 enabled, 0 disabled
    uint32_t suppressionMask = 0;        // bit i = suppressed by alarm i of the same model
    bool operator==(const AlarmDefRec&) const = default;
};

void EncodeAlarmDefRec(const AlarmDefRec& rec, uint8_t* out);
std::array<uint8_t, kAlarmDefRecSize> EncodeAlarmDefRec(const AlarmDefRec& rec);
bool DecodeAlarmDefRec(const uint8_t* data, size_t size, AlarmDefRec* out);
