#pragma once
// PvcStaticIpEntry (16 bytes, requests 420 query, 421 add, 422 delete): one range of static IP addresses of a PVC, at
// most 8 to a PVC. A query sends an entry holding the PVC's port, VPI and VCI; an entry of address 0.0.0.0 ends a
// PVC's list.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kPvcStaticIpEntrySize = 16;

struct PvcStaticIpEntry {
    uint32_t portId = 0; // packed entity id of the PVC's port
    uint8_t vpi = 0;
    uint16_t vci = 0;
    std::array<uint8_t, 4> baseAddress{}; // the first address of the range
    uint8_t count = 0;                    // addresses in the range
    bool operator==(const PvcStaticIpEntry&) const = default;
};

template <> struct RecordTable<PvcStaticIpEntry> {
    using R = PvcStaticIpEntry;
    static constexpr const char* kName = "PvcStaticIpEntry";
    static constexpr uint32_t kSize = kPvcStaticIpEntrySize;
    static constexpr RecordField kFields[] = {
        U32<&R::portId>("portId", 0).Key().Column(1),
        U8<&R::vpi>("vpi", 4).Key().Column(2),
        Reserved(5, 1),
        U16<&R::vci>("vci", 6).Key().Column(3),
        Ipv4<&R::baseAddress>("baseAddress", 8).Key().Column(4),
        U8<&R::count>("count", 12).Column(5, kColumnWritable),
        Reserved(13, 3),
    };
};
