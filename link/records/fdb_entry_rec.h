#pragma once
// FdbEntryRec (28 bytes): one entry of the NE's bridge filtering database, a MAC address on a PVC of an xDSL port,
// learned or configured. Request 480 reads the database and 483 deletes an entry (row command 6); request 478 reads
// the configured entries, 482 adds a static one and 479 deletes one. The port, VPI, VCI and MAC name an entry. A
// query of either sends an FdbQueryRec. In direct mode an entry is a row of the NE's table, indexed by its port, VPI,
// VCI and MAC; the NE sets its status and VLAN.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kFdbEntryRecSize = 28;
inline constexpr size_t kFdbQueryRecSize = 16;

struct FdbEntryRec {
    uint32_t portId = 0; // packed entity id of the port
    uint8_t vpi = 0;
    uint16_t vci = 0;
    std::array<uint8_t, 6> mac{};
    // 1 learned unique, 2 learned spoofed active, 3 learned spoofed inactive, 4 ACL deny, 5 ACL permit,
    // 6 virtual MAC, 7 static, 8 learned unique non-aged
    uint32_t status = 0;
    uint16_t vlanId = 0;     // the PVC's VLAN; 0 = none
    uint32_t rowCommand = 0; // in a delete of request 483: 6
    bool operator==(const FdbEntryRec&) const = default;
};

template <> struct RecordTable<FdbEntryRec> {
    using R = FdbEntryRec;
    static constexpr const char* kName = "FdbEntryRec";
    static constexpr uint32_t kSize = kFdbEntryRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::portId>("portId", 0).Key().Column(1), U8<&R::vpi>("vpi", 4).Key().Column(2),    Reserved(5, 1),
        U16<&R::vci>("vci", 6).Key().Column(3),       Bytes<&R::mac>("mac", 8).Key().Column(4), Reserved(14, 2),
        U32<&R::status>("status", 16).Column(5),      U16<&R::vlanId>("vlanId", 20).Column(6),  Reserved(22, 2),
        U32<&R::rowCommand>("rowCommand", 24),
    };
};

// The body of a query of requests 478 and 480: the entries of an entity (an NE, shelf, slot or port), or of one PVC.
struct FdbQueryRec {
    uint32_t entityId = 0; // packed entity id
    uint8_t vpi = 0;       // with vci, one PVC of a port; 0 for all
    uint16_t vci = 0;
    bool operator==(const FdbQueryRec&) const = default;
};

template <> struct RecordTable<FdbQueryRec> {
    using R = FdbQueryRec;
    static constexpr const char* kName = "FdbQueryRec";
    static constexpr uint32_t kSize = kFdbQueryRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0), U8<&R::vpi>("vpi", 4), Reserved(5, 1), U16<&R::vci>("vci", 6), Reserved(8, 8),
    };
};
