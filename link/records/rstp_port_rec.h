#pragma once
// RstpPortRec (72 bytes, request 715): the rapid spanning tree settings and state of one trunk port. A query sends a
// 1-byte body of zero and is answered with one record per trunk port; a write sends one port's settings with the
// read-only fields zero.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kRstpPortRecSize = 72;

struct RstpPortRec {
    uint32_t entityId = 0;          // packed entity id of the trunk port (port number 1 or 2)
    uint8_t priority = 0;           // 0..240 in steps of 16
    uint32_t adminState = 0;        // 1 RSTP enabled on the port, 0 disabled
    uint32_t adminPathCost = 0;     // 0 default; else 1..200000000 (RSTP) or 1..65535 (STP-compatible)
    uint32_t mcheck = 0;            // written 1 to force a migration check
    uint32_t adminEdgePort = 0;     // 1 edge
    uint32_t adminPointToPoint = 0; // 0 yes, 1 no, 2 auto
    uint32_t stpState = 0; // read only from here on: 1 disabled, 2 discarding, 3 listening, 4 learning, 5 forwarding,
                           // 6 broken
    uint32_t operPathCost = 0;
    uint32_t forwardTransitions = 0;
    uint32_t operEdgePort = 0;     // 1 true
    uint32_t operPointToPoint = 0; // 1 true
    uint16_t rootBridgePriority = 0;
    std::array<uint8_t, 6> rootBridgeMac{};
    uint32_t rootPathCost = 0;
    uint16_t designatedBridgePriority = 0;
    std::array<uint8_t, 6> designatedBridgeMac{};
    uint16_t designatedPortId = 0;
    bool operator==(const RstpPortRec&) const = default;
};

template <> struct RecordTable<RstpPortRec> {
    using R = RstpPortRec;
    static constexpr const char* kName = "RstpPortRec";
    static constexpr uint32_t kSize = kRstpPortRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key().Column(1),
        U8<&R::priority>("priority", 4).Column(2, kColumnWritable),
        Reserved(5, 3),
        U32<&R::adminState>("adminState", 8).Column(3, kColumnWritable),
        U32<&R::adminPathCost>("adminPathCost", 12).Column(4, kColumnWritable),
        U32<&R::mcheck>("mcheck", 16).Column(5, kColumnWritable),
        U32<&R::adminEdgePort>("adminEdgePort", 20).Column(6, kColumnWritable),
        U32<&R::adminPointToPoint>("adminPointToPoint", 24).Column(7, kColumnWritable),
        U32<&R::stpState>("stpState", 28).Column(8),
        U32<&R::operPathCost>("operPathCost", 32).Column(9),
        U32<&R::forwardTransitions>("forwardTransitions", 36).Column(10),
        U32<&R::operEdgePort>("operEdgePort", 40).Column(11),
        U32<&R::operPointToPoint>("operPointToPoint", 44).Column(12),
        U16<&R::rootBridgePriority>("rootBridgePriority", 48).Column(13),
        Bytes<&R::rootBridgeMac>("rootBridgeMac", 50).Column(14),
        U32<&R::rootPathCost>("rootPathCost", 56).Column(15),
        U16<&R::designatedBridgePriority>("designatedBridgePriority", 60).Column(16),
        Bytes<&R::designatedBridgeMac>("designatedBridgeMac", 62).Column(17),
        U16<&R::designatedPortId>("designatedPortId", 68).Column(18),
        Reserved(70, 2),
    };
};
