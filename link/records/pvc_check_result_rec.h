#pragma once
// PvcCheckResultRec (32 bytes): the NE's verdict at the end of a PVC check record (PvcRuleCheckRec,
// ServiceTypeCheckRec): one bit per broken rule and up to three of the PVCs in conflict.

#include "link/records/pvc_key_rec.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kPvcCheckResultRecSize = 32;
inline constexpr size_t kPvcCheckConflictsShown = 3;

struct PvcCheckResultRec {
    uint32_t errorMask = 0;                                     // bit i set: rule i is broken
    uint16_t conflictCount = 0;                                 // PVCs in conflict, also beyond the three listed
    std::array<PvcKeyRec, kPvcCheckConflictsShown> conflicts{}; // a port id of 0 marks an empty entry
    bool operator==(const PvcCheckResultRec&) const = default;
};

template <> struct RecordTable<PvcCheckResultRec> {
    using R = PvcCheckResultRec;
    static constexpr const char* kName = "PvcCheckResultRec";
    static constexpr uint32_t kSize = kPvcCheckResultRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::errorMask>("errorMask", 0).Column(1),
        U16<&R::conflictCount>("conflictCount", 4).Column(2),
        Reserved(6, 2),
        NestedItem<&R::conflicts, 0>("firstConflict", 8).Column(3),
        NestedItem<&R::conflicts, 1>("secondConflict", 16).Column(6),
        NestedItem<&R::conflicts, 2>("thirdConflict", 24).Column(9),
    };
};
