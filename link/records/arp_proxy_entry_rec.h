#pragma once
// ArpProxyEntryRec (32 bytes, the reply records of request 158): one address for which the NE answers ARP on behalf
// of a subscriber port or a trunk port. A query sends ArpProxyEntryQueryRec and is answered per line card or trunk
// port: the NE lists its entries under a selector, 1 or 2 for the trunk ports, an xDSL line card's packed entity id
// for that card's ports, and answers the entries whose selector the query names.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kArpProxyEntryRecSize = 32;
inline constexpr size_t kArpProxyEntryQueryRecSize = 16;

struct ArpProxyEntryRec {
    uint32_t selector = 0; // what the entry is listed under (see above); the lists do not show it
    uint32_t portId = 0;   // packed entity id of the port
    std::array<uint8_t, 4> ipAddress{};
    std::array<uint8_t, 6> macAddress{};
    uint32_t flag = 0;       // 0 dynamic, any other value static
    uint32_t packetType = 0; // what the entry was learnt from: 0 ARP request, 1 ARP response, 2 IP, 3 DHCP, 4 IGMP,
                             // 7 manual, other values miscellaneous
    int16_t vlanId = 0;
    bool operator==(const ArpProxyEntryRec&) const = default;
};

template <> struct RecordTable<ArpProxyEntryRec> {
    using R = ArpProxyEntryRec;
    static constexpr const char* kName = "ArpProxyEntryRec";
    static constexpr uint32_t kSize = kArpProxyEntryRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::selector>("selector", 0).Key().Column(1),
        U32<&R::portId>("portId", 4).Key().Column(2),
        Ipv4<&R::ipAddress>("ipAddress", 8).Key().Column(3),
        Bytes<&R::macAddress>("macAddress", 12).Column(4),
        U32<&R::flag>("flag", 20).Column(5),
        U32<&R::packetType>("packetType", 24).Column(6),
        I16<&R::vlanId>("vlanId", 28).Column(7),
    };
};

// The query of the entries: an ADSL line card, or one trunk port of a control and uplink module.
struct ArpProxyEntryQueryRec {
    uint32_t portSelector = 0;          // the entries' selector: 1 or 2 for a trunk port, else the line card's id
    uint32_t entityId = 0;              // packed entity id of the line card or of the control and uplink module
    std::array<uint8_t, 4> ipAddress{}; // 0.0.0.0
    bool operator==(const ArpProxyEntryQueryRec&) const = default;
};

template <> struct RecordTable<ArpProxyEntryQueryRec> {
    using R = ArpProxyEntryQueryRec;
    static constexpr const char* kName = "ArpProxyEntryQueryRec";
    static constexpr uint32_t kSize = kArpProxyEntryQueryRecSize;
    static constexpr RecordField kFields[] = {
        Reserved(0, 4),
        U32<&R::portSelector>("portSelector", 4),
        U32<&R::entityId>("entityId", 8),
        Ipv4<&R::ipAddress>("ipAddress", 12),
    };
};
