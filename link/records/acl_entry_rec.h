#pragma once
// AclEntryRec (20 bytes, requests 520 query, 521 add, 522 delete): one source MAC address that a PVC of an xDSL port
// controls, at most 64 to a PVC; the port, VPI, VCI and MAC name it. A query sends the port's entity id (4 bytes).

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kAclEntryRecSize = 20;

struct AclEntryRec {
    uint32_t portId = 0; // packed entity id of the port
    uint8_t vpi = 0;
    uint16_t vci = 0;
    std::array<uint8_t, 6> mac{};
    uint16_t vlanId = 0;       // 0 = none
    uint32_t controlState = 0; // the PVC's: 4 deny the listed source MACs, 5 permit them
    bool operator==(const AclEntryRec&) const = default;
};

template <> struct RecordTable<AclEntryRec> {
    using R = AclEntryRec;
    static constexpr const char* kName = "AclEntryRec";
    static constexpr uint32_t kSize = kAclEntryRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::portId>("portId", 0).Key().Column(1),
        U8<&R::vpi>("vpi", 4).Key().Column(2),
        Reserved(5, 1),
        U16<&R::vci>("vci", 6).Key().Column(3),
        Bytes<&R::mac>("mac", 8).Key().Column(4),
        U16<&R::vlanId>("vlanId", 14).Column(5),
        U32<&R::controlState>("controlState", 16).Column(6, kColumnWritable),
    };
};
