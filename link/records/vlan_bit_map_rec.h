#pragma once
// VlanBitMapRec (516 bytes): the VLANs of one entity as a bit map of VLAN ids 0..4095, bit n for VLAN n, bit 0 being
// the most significant bit of the first byte. Request 670 gives the broadcast VLANs a line card forwards (the entity
// is the slot); 725 reads and writes the VLANs trunk port 2 joins, 726 reads those of one trunk port. A query sends
// the whole record with the entity id set.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kVlanBitMapRecSize = 516;
inline constexpr size_t kVlanBitMapBytes = 512;

struct VlanBitMapRec {
    uint32_t entityId = 0; // packed entity id of the slot or trunk port
    std::array<uint8_t, kVlanBitMapBytes> vlans{};
    bool operator==(const VlanBitMapRec&) const = default;
};

template <> struct RecordTable<VlanBitMapRec> {
    using R = VlanBitMapRec;
    static constexpr const char* kName = "VlanBitMapRec";
    static constexpr uint32_t kSize = kVlanBitMapRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key().Column(1),
        Bytes<&R::vlans>("vlans", 4).Column(2, kColumnWritable),
    };
};
