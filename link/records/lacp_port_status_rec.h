#pragma once
// LacpPortStatusRec (40 bytes, request 712): the LACP actor and partner state of one trunk port. A query sends a
// 1-byte body of zero; the reply's first two records are trunk ports 1 and 2 in that order. Operation states are bit
// sets: 0 activity, 1 short timeout, 2 aggregable, 3 in sync, 4 collecting, 5 distributing, 6 defaulted, 7 expired.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kLacpPortStatusRecSize = 40;
inline constexpr size_t kLacpPartyRecSize = 14;

// The LACP view of one end of the link.
struct LacpPartyRec {
    uint16_t systemPriority = 0;
    std::array<uint8_t, 6> systemId{}; // MAC address
    uint16_t key = 0;
    uint16_t portPriority = 0;
    uint16_t portId = 0;
    bool operator==(const LacpPartyRec&) const = default;
};

template <> struct RecordTable<LacpPartyRec> {
    using R = LacpPartyRec;
    static constexpr const char* kName = "LacpPartyRec";
    static constexpr uint32_t kSize = kLacpPartyRecSize;
    static constexpr RecordField kFields[] = {
        U16<&R::systemPriority>("systemPriority", 0).Column(1),
        Bytes<&R::systemId>("systemId", 2).Column(2),
        U16<&R::key>("key", 8).Column(3),
        U16<&R::portPriority>("portPriority", 10).Column(4),
        U16<&R::portId>("portId", 12).Column(5),
    };
};

// No field names the port: the reply gives the ports in order, and the aggregator keys the records.
struct LacpPortStatusRec {
    uint32_t aggregatorIfIndex = 0; // interface number of the aggregator
    LacpPartyRec actor;
    uint8_t actorState = 0;
    LacpPartyRec partner;
    uint8_t partnerState = 0;
    bool operator==(const LacpPortStatusRec&) const = default;
};

template <> struct RecordTable<LacpPortStatusRec> {
    using R = LacpPortStatusRec;
    static constexpr const char* kName = "LacpPortStatusRec";
    static constexpr uint32_t kSize = kLacpPortStatusRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::aggregatorIfIndex>("aggregatorIfIndex", 0).Key().Column(1),
        Nested<&R::actor>("actor", 4).Column(2),
        U8<&R::actorState>("actorState", 18).Column(7),
        Reserved(19, 1),
        Nested<&R::partner>("partner", 20).Column(8),
        U8<&R::partnerState>("partnerState", 34).Column(13),
        Reserved(35, 5),
    };
};
