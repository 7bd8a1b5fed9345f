#pragma once
// PktFilterGroupRec (40 bytes, request 636): one packet filter group of an ADSL line card, named by the card's slot,
// its direction and its number. A query sends the record with only the slot set and is answered with the card's
// groups.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kPktFilterGroupRecSize = 40;
inline constexpr size_t kPktFilterGroupNameWidth = 23;

struct PktFilterGroupRec {
    uint8_t slot = 0;        // slot number of the line card
    uint32_t direction = 0;  // 1 upstream, 2 downstream
    uint8_t groupNumber = 0; // 1..3 upstream, 1..4 downstream
    std::string name;        // at most 20 characters entered
    uint32_t memberMask = 0; // bit n-1: filter number n is a member
    uint32_t state = 0;      // 1 enabled, 2 disabled
    bool operator==(const PktFilterGroupRec&) const = default;
};

template <> struct RecordTable<PktFilterGroupRec> {
    using R = PktFilterGroupRec;
    static constexpr const char* kName = "PktFilterGroupRec";
    static constexpr uint32_t kSize = kPktFilterGroupRecSize;
    static constexpr RecordField kFields[] = {
        U8<&R::slot>("slot", 0).Key().Column(1),
        Reserved(1, 3),
        U32<&R::direction>("direction", 4).Key().Column(2),
        U8<&R::groupNumber>("groupNumber", 8).Key().Column(3),
        Text<&R::name>("name", 9, kPktFilterGroupNameWidth).Column(4, kColumnWritable),
        U32<&R::memberMask>("memberMask", 32).Column(5, kColumnWritable),
        U32<&R::state>("state", 36).Column(6, kColumnWritable),
    };
};
