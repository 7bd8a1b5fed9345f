#pragma once
// TrunkPortRec (24 bytes, request 710): one trunk port. A query sends the record with only the entity id set and is
// answered with one record per trunk port; a write sets the Administrative State and auto-negotiation.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kTrunkPortRecSize = 24;

struct TrunkPortRec {
    uint32_t entityId = 0;        // packed entity id of the trunk port
    uint32_t adminState = 0;      // 1 enabled, 2 disabled
    uint32_t operState = 0;       // 1 link up, other values down (read only)
    uint32_t autoNegotiation = 0; // 1 enabled, written 1 or 0
    uint32_t speed = 0;           // bit/s (read only)
    uint16_t medium = 0;          // 1 fiber (read only)
    uint16_t reserved22 = 0;      // carried unchanged
    bool operator==(const TrunkPortRec&) const = default;
};

template <> struct RecordTable<TrunkPortRec> {
    using R = TrunkPortRec;
    static constexpr const char* kName = "TrunkPortRec";
    static constexpr uint32_t kSize = kTrunkPortRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key().Column(1),
        U32<&R::adminState>("adminState", 4).Column(2, kColumnWritable),
        U32<&R::operState>("operState", 8).Column(3),
        U32<&R::autoNegotiation>("autoNegotiation", 12).Column(4, kColumnWritable),
        U32<&R::speed>("speed", 16).Column(5),
        U16<&R::medium>("medium", 20).Column(6),
        U16<&R::reserved22>("reserved22", 22).Column(7),
    };
};
