#pragma once
// LinkAggregationRec (32 bytes, request 711): the link aggregation of the two trunk ports, with its two LACP groups
// and each port's group and priority. A query sends a 1-byte body of zero and is answered with one record.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kLinkAggregationRecSize = 32;

struct LinkAggregationRec {
    uint32_t aggregationType = 0; // 1 LACP, 3 static, 2 disabled
    uint16_t systemPriority = 0;  // LACP actor system priority
    uint32_t group1Activity = 0;  // 1 active, 0 passive
    uint32_t group1Timeout = 0;   // 1 short, 0 long
    uint32_t group2Activity = 0;
    uint32_t group2Timeout = 0;
    uint8_t port1Group = 0; // always 1
    uint16_t port1Priority = 0;
    uint8_t port2Group = 0; // 1 or 2
    uint16_t port2Priority = 0;
    bool operator==(const LinkAggregationRec&) const = default;
};

template <> struct RecordTable<LinkAggregationRec> {
    using R = LinkAggregationRec;
    static constexpr const char* kName = "LinkAggregationRec";
    static constexpr uint32_t kSize = kLinkAggregationRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::aggregationType>("aggregationType", 0).Column(1, kColumnWritable),
        U16<&R::systemPriority>("systemPriority", 4).Column(2, kColumnWritable),
        Reserved(6, 2),
        U32<&R::group1Activity>("group1Activity", 8).Column(3, kColumnWritable),
        U32<&R::group1Timeout>("group1Timeout", 12).Column(4, kColumnWritable),
        U32<&R::group2Activity>("group2Activity", 16).Column(5, kColumnWritable),
        U32<&R::group2Timeout>("group2Timeout", 20).Column(6, kColumnWritable),
        U8<&R::port1Group>("port1Group", 24).Column(7, kColumnWritable),
        Reserved(25, 1),
        U16<&R::port1Priority>("port1Priority", 26).Column(8, kColumnWritable),
        U8<&R::port2Group>("port2Group", 28).Column(9, kColumnWritable),
        Reserved(29, 1),
        U16<&R::port2Priority>("port2Priority", 30).Column(10, kColumnWritable),
    };
};
