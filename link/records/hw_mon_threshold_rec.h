#pragma once
// HwMonThresholdRec (8 bytes, request 338 query and modify): the temperature thresholds of an NE, in the unit of its
// temperature readings.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kHwMonThresholdRecSize = 8;

struct HwMonThresholdRec {
    int32_t high = 0; // -20..100, above low
    int32_t low = 0;  // -20..100
    bool operator==(const HwMonThresholdRec&) const = default;
};

template <> struct RecordTable<HwMonThresholdRec> {
    using R = HwMonThresholdRec;
    static constexpr const char* kName = "HwMonThresholdRec";
    static constexpr uint32_t kSize = kHwMonThresholdRecSize;
    static constexpr RecordField kFields[] = {
        I32<&R::high>("high", 0).Column(1, kColumnWritable),
        I32<&R::low>("low", 4).Column(2, kColumnWritable),
    };
};
