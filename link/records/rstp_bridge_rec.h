#pragma once
// RstpBridgeRec (48 bytes, request 714): the NE's rapid spanning tree bridge over its trunk ports. A query sends a
// 1-byte body of zero and is answered with one record; a write sends the settings with the read-only fields zero.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr size_t kRstpBridgeRecSize = 48;

struct RstpBridgeRec {
    uint32_t adminState = 0;              // 1 enabled, written 0 for disabled
    uint32_t version = 0;                 // 2 RSTP, 0 STP-compatible
    uint16_t priority = 0;                // 0..61440 in steps of 4096
    std::array<uint8_t, 6> mac{};         // the bridge's MAC address (read only)
    uint8_t maxAge = 0;                   // seconds, 6..40
    uint8_t helloTime = 0;                // seconds, 1..10
    uint8_t forwardDelay = 0;             // seconds, 4..30
    uint8_t txHoldCount = 0;              // 1..10
    uint32_t timeSinceTopologyChange = 0; // hundredths of a second (read only)
    uint32_t topologyChanges = 0;         // read only
    std::array<uint8_t, 8> reserved28{};  // carried unchanged
    uint32_t rootCost = 0;                // read only from here on
    uint32_t rootPort = 0;                // 0 = none
    uint8_t rootMaxAge = 0;               // seconds
    uint8_t rootHelloTime = 0;
    uint8_t rootForwardDelay = 0;
    bool operator==(const RstpBridgeRec&) const = default;
};

template <> struct RecordTable<RstpBridgeRec> {
    using R = RstpBridgeRec;
    static constexpr const char* kName = "RstpBridgeRec";
    static constexpr uint32_t kSize = kRstpBridgeRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::adminState>("adminState", 0).Column(1, kColumnWritable),
        U32<&R::version>("version", 4).Column(2, kColumnWritable),
        U16<&R::priority>("priority", 8).Column(3, kColumnWritable),
        Bytes<&R::mac>("mac", 10).Column(4),
        U8<&R::maxAge>("maxAge", 16).Column(5, kColumnWritable),
        U8<&R::helloTime>("helloTime", 17).Column(6, kColumnWritable),
        U8<&R::forwardDelay>("forwardDelay", 18).Column(7, kColumnWritable),
        U8<&R::txHoldCount>("txHoldCount", 19).Column(8, kColumnWritable),
        U32<&R::timeSinceTopologyChange>("timeSinceTopologyChange", 20).Column(9),
        U32<&R::topologyChanges>("topologyChanges", 24).Column(10),
        Bytes<&R::reserved28>("reserved28", 28),
        U32<&R::rootCost>("rootCost", 36).Column(11),
        U32<&R::rootPort>("rootPort", 40).Column(12),
        U8<&R::rootMaxAge>("rootMaxAge", 44).Column(13),
        U8<&R::rootHelloTime>("rootHelloTime", 45).Column(14),
        U8<&R::rootForwardDelay>("rootForwardDelay", 46).Column(15),
        Reserved(47, 1),
    };
};
