#pragma once
// ServiceTypeCheckRec (196 bytes, request 417): the check of a line card's PVCs against its new service-type
// settings, written with operation 2 before a board setting is applied and read back with operation 1. It is the PVC
// rule check's record with only the slot set, at bytes the rule check gives to the IP traffic profile's name.

#include "link/records/pvc_check_result_rec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kServiceTypeCheckRecSize = 196;

struct ServiceTypeCheckRec {
    uint16_t slot = 0;        // the line card's slot number
    PvcCheckResultRec result; // the reply's verdict
    bool operator==(const ServiceTypeCheckRec&) const = default;
};

template <> struct RecordTable<ServiceTypeCheckRec> {
    using R = ServiceTypeCheckRec;
    static constexpr const char* kName = "ServiceTypeCheckRec";
    static constexpr uint32_t kSize = kServiceTypeCheckRecSize;
    static constexpr RecordField kFields[] = {
        U16<&R::slot>("slot", 156).Column(1, kColumnWritable),
        Nested<&R::result>("result", 164).Column(2),
    };
};
