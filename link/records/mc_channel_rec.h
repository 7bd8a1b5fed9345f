#pragma once
// McChannelRec (48 bytes, requests 470 query and modify, 471 add, 472 delete): the multicast channel of an xDSL port,
// a VC bridged into a VLAN and bound to a multicast service profile; a port carries at most one, so the port names
// it. A query sends the first 8 bytes (PvcKeyRec) and gets the channels at or below the entity its port id names; a
// delete names the port, VPI and VCI. In direct mode the port is the row's index, and an add on a port that has a
// channel replaces it.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kMcChannelRecSize = 48;
inline constexpr size_t kMcChannelProfileWidth = 33;

struct McChannelRec {
    uint32_t portId = 0; // packed entity id of the port; 0 = no channel
    uint8_t vpi = 0;
    uint16_t vci = 0;         // 32..65535
    uint16_t vlanId = 0;      // 1..4094
    uint8_t channelLimit = 0; // simultaneous multicast groups, 1..5
    std::string profile;      // the multicast service profile's name
    uint32_t adminState = 0;  // 1 enabled, 2 disabled
    bool operator==(const McChannelRec&) const = default;
};

template <> struct RecordTable<McChannelRec> {
    using R = McChannelRec;
    static constexpr const char* kName = "McChannelRec";
    static constexpr uint32_t kSize = kMcChannelRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::portId>("portId", 0).Key().Column(1),
        U8<&R::vpi>("vpi", 4).Column(2, kColumnWritable),
        Reserved(5, 1),
        U16<&R::vci>("vci", 6).Column(3, kColumnWritable),
        U16<&R::vlanId>("vlanId", 8).Column(4, kColumnWritable),
        U8<&R::channelLimit>("channelLimit", 10).Column(5, kColumnWritable),
        Text<&R::profile>("profile", 11, kMcChannelProfileWidth).Column(6, kColumnWritable),
        U32<&R::adminState>("adminState", 44).Column(7, kColumnWritable),
    };
};
