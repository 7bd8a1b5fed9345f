#pragma once
// AclCheckRec (48 bytes, request 484): the NE's check of a MAC address before it is put on a PVC, as an access-control
// entry or a static filtering-database entry. Written with operation 2, then read with operation 1: the reply gives
// the verdict and the filtering-database entry the MAC already has, if any.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kAclCheckRecSize = 48;

struct AclCheckRec {
    uint32_t kind = 0; // what is checked: 4 an ACL deny entry, 5 an ACL permit entry, 7 a static entry
    std::array<uint8_t, 6> mac{};
    uint32_t portId = 0; // packed entity id of the PVC's port
    uint8_t vpi = 0;
    uint16_t vci = 0;
    // The reply's.
    uint32_t verdict = 0;      // 0: the check has never run; other values name what stands against the MAC
    uint32_t existingType = 0; // the existing entry's filtering-database status
    std::array<uint8_t, 6> existingMac{};
    uint32_t existingPortId = 0;
    uint8_t existingVpi = 0;
    uint16_t existingVci = 0;
    bool operator==(const AclCheckRec&) const = default;
};

template <> struct RecordTable<AclCheckRec> {
    using R = AclCheckRec;
    static constexpr const char* kName = "AclCheckRec";
    static constexpr uint32_t kSize = kAclCheckRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::kind>("kind", 0).Column(1, kColumnWritable),
        Bytes<&R::mac>("mac", 4).Column(2, kColumnWritable),
        Reserved(10, 2),
        U32<&R::portId>("portId", 12).Column(3, kColumnWritable),
        U8<&R::vpi>("vpi", 16).Column(4, kColumnWritable),
        Reserved(17, 1),
        U16<&R::vci>("vci", 18).Column(5, kColumnWritable),
        U32<&R::verdict>("verdict", 20).Column(6),
        U32<&R::existingType>("existingType", 24).Column(7),
        Bytes<&R::existingMac>("existingMac", 28).Column(8),
        Reserved(34, 2),
        U32<&R::existingPortId>("existingPortId", 36).Column(9),
        U8<&R::existingVpi>("existingVpi", 40).Column(10),
        Reserved(41, 1),
        U16<&R::existingVci>("existingVci", 42).Column(11),
        Reserved(44, 4),
    };
};
