#pragma once
// HwMonRec (284 bytes, request 337 query): one hardware reading of an NE's module (a fan speed, a voltage or a
// temperature) with its alarm thresholds. A reading is named by its module, kind and sensor index; a query sends a
// HwMonRec holding the entity id of the module (or of an entity above the modules) whose readings it wants.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kHwMonRecSize = 284;
inline constexpr size_t kHwMonNameWidth = 256;

struct HwMonRec {
    uint32_t entityId = 0;    // packed entity id of the module that reports the reading
    uint32_t kind = 0;        // 1 fan, 2 voltage, 3 temperature
    uint32_t sensorIndex = 0; // within the kind
    std::string name;
    int32_t currentValue = 0;
    int32_t referenceValue = 0; // 0 = none
    int32_t lowThreshold = 0;
    int32_t highThreshold = 0;
    bool operator==(const HwMonRec&) const = default;
};

template <> struct RecordTable<HwMonRec> {
    using R = HwMonRec;
    static constexpr const char* kName = "HwMonRec";
    static constexpr uint32_t kSize = kHwMonRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key().Column(1),
        U32<&R::kind>("kind", 4).Key().Column(2),
        U32<&R::sensorIndex>("sensorIndex", 8).Key().Column(3),
        Text<&R::name>("name", 12, kHwMonNameWidth).Column(4),
        I32<&R::currentValue>("currentValue", 268).Column(5),
        I32<&R::referenceValue>("referenceValue", 272).Column(6),
        I32<&R::lowThreshold>("lowThreshold", 276).Column(7),
        I32<&R::highThreshold>("highThreshold", 280).Column(8),
    };
};
