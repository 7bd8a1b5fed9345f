#pragma once
// AlarmDefRec (124 bytes, requests 145 and 327): one alarm definition of an entity model.

#include "link/records/record_codec.h"

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

template <> struct RecordTable<AlarmDefRec> {
    using R = AlarmDefRec;
    static constexpr const char* kName = "AlarmDefRec";
    static constexpr uint32_t kSize = kAlarmDefRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::modelId>("modelId", 0).Key().Column(1),
        U8<&R::alarmIndex>("alarmIndex", 4).Key().Column(2),
        Bytes<&R::padding>("padding", 5),
        U32<&R::neModelId>("neModelId", 8).Column(3),
        Bytes<&R::unfilled>("unfilled", 12),
        U32<&R::severity>("severity", 112).Column(4, kColumnWritable),
        U32<&R::reporting>("reporting", 116).Column(5, kColumnWritable),
        U32<&R::suppressionMask>("suppressionMask", 120).Column(6, kColumnWritable),
    };
};
