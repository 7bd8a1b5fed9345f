#pragma once
// DhcpTransactionRec (32 bytes, request 506 query): one DHCP transaction the NE saw on a PVC of an xDSL port. A query
// sends a DhcpTransactionRec holding the entity id of a slot or port.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kDhcpTransactionRecSize = 32;

struct DhcpTransactionRec {
    uint32_t portId = 0; // packed entity id of the port
    uint8_t vpi = 0;
    uint16_t vci = 0;
    uint16_t vlanId = 0;
    uint32_t transactionId = 0;
    std::array<uint8_t, 6> clientMac{};
    std::array<uint8_t, 4> assignedAddress{}; // first number first
    uint32_t state = 0;                       // 1 init, 2 select, 3 bound, 4 renew, other values unknown
    bool operator==(const DhcpTransactionRec&) const = default;
};

template <> struct RecordTable<DhcpTransactionRec> {
    using R = DhcpTransactionRec;
    static constexpr const char* kName = "DhcpTransactionRec";
    static constexpr uint32_t kSize = kDhcpTransactionRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::portId>("portId", 0).Key().Column(1),
        U8<&R::vpi>("vpi", 4).Key().Column(2),
        Reserved(5, 1),
        U16<&R::vci>("vci", 6).Key().Column(3),
        U16<&R::vlanId>("vlanId", 8).Key().Column(4),
        Reserved(10, 2),
        U32<&R::transactionId>("transactionId", 12).Key().Column(5),
        Bytes<&R::clientMac>("clientMac", 16).Column(6),
        Ipv4<&R::assignedAddress>("assignedAddress", 22).Column(7),
        Reserved(26, 2),
        U32<&R::state>("state", 28).Column(8),
    };
};
