#pragma once
// CosMappingRec (44 bytes, request 716): for each 802.1p user priority 0..7 the upstream queue and the DiffServ code
// point its packets are re-marked to. A query sends a 1-byte body of zero and is answered with one record.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kCosMappingRecSize = 44;
inline constexpr size_t kUserPriorityCount = 8;

struct CosMappingRec {
    std::array<uint8_t, kUserPriorityCount> queues{}; // by priority: queue 1..8
    uint32_t dscpRemapping = 0;                       // 1 enabled, written 0 for disabled
    // By priority: 0 best effort, 1..12 AFxy = 3 (x - 1) + y, 13 expedited forwarding.
    std::array<uint32_t, kUserPriorityCount> dscp{};
    bool operator==(const CosMappingRec&) const = default;
};

namespace cos_mapping_fields {

inline constexpr const char* kDscpNames[kUserPriorityCount] = {"dscp0", "dscp1", "dscp2", "dscp3",
                                                               "dscp4", "dscp5", "dscp6", "dscp7"};

// The re-marking code of priority P, a u32 from byte 12.
template <size_t P> constexpr RecordField Dscp()
{
    return record_fields::Bind<&CosMappingRec::dscp, uint32_t, P>(kDscpNames[P], static_cast<uint16_t>(12 + 4 * P), 4,
                                                                  FieldType::kU32)
        .Column(static_cast<uint16_t>(3 + P), kColumnWritable);
}

} // namespace cos_mapping_fields

template <> struct RecordTable<CosMappingRec> {
    using R = CosMappingRec;
    static constexpr const char* kName = "CosMappingRec";
    static constexpr uint32_t kSize = kCosMappingRecSize;
    static constexpr RecordField kFields[] = {
        Bytes<&R::queues>("queues", 0).Column(1, kColumnWritable),
        U32<&R::dscpRemapping>("dscpRemapping", 8).Column(2, kColumnWritable),
        cos_mapping_fields::Dscp<0>(),
        cos_mapping_fields::Dscp<1>(),
        cos_mapping_fields::Dscp<2>(),
        cos_mapping_fields::Dscp<3>(),
        cos_mapping_fields::Dscp<4>(),
        cos_mapping_fields::Dscp<5>(),
        cos_mapping_fields::Dscp<6>(),
        cos_mapping_fields::Dscp<7>(),
    };
};
