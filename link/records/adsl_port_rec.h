#pragma once
// AdslPortRec (160 bytes, request 630): one ADSL line port with its profiles, states, subscriber and packet filter
// groups. A query sends the record with only the entity id set and is answered with the ports at or below it.

#include "link/records/record_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kAdslPortRecSize = 160;
inline constexpr size_t kAdslPortProfileNameWidth = 33;
inline constexpr size_t kAdslPortSubscriberWidth = 24;

struct AdslPortRec {
    uint32_t entityId = 0;               // packed entity id of the port
    std::array<uint8_t, 8> reserved4{};  // bytes 4..11, carried unchanged
    std::string lineProfile;             // empty: none
    std::string pmThresholdProfile;      // empty: none
    std::string trafficPolicingProfile;  // empty: none
    uint32_t enableState = 0;            // 1 enabled, 2 disabled
    uint32_t operState = 0;              // 1 up, other values down
    std::string subscriber;              // empty: no subscriber bound
    uint32_t service = 0;                // of the subscriber: 1 PPPoE, other values fixed IP
    uint32_t subscriberClass = 0;        // 2 enterprise, other values home
    uint32_t upstreamFilterGroups = 0;   // bits 0..2: upstream groups 1..3
    uint32_t downstreamFilterGroups = 0; // bits 0..3: downstream groups 1..4
    bool operator==(const AdslPortRec&) const = default;
};

template <> struct RecordTable<AdslPortRec> {
    using R = AdslPortRec;
    static constexpr const char* kName = "AdslPortRec";
    static constexpr uint32_t kSize = kAdslPortRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key().Column(1),
        Bytes<&R::reserved4>("reserved4", 4).Column(2),
        Text<&R::lineProfile>("lineProfile", 12, kAdslPortProfileNameWidth).Column(3, kColumnWritable),
        Text<&R::pmThresholdProfile>("pmThresholdProfile", 45, kAdslPortProfileNameWidth).Column(4, kColumnWritable),
        Text<&R::trafficPolicingProfile>("trafficPolicingProfile", 78, kAdslPortProfileNameWidth)
            .Column(5, kColumnWritable),
        Reserved(111, 1),
        U32<&R::enableState>("enableState", 112).Column(6, kColumnWritable),
        U32<&R::operState>("operState", 116).Column(7),
        Text<&R::subscriber>("subscriber", 120, kAdslPortSubscriberWidth).Column(8),
        U32<&R::service>("service", 144).Column(9),
        U32<&R::subscriberClass>("subscriberClass", 148).Column(10),
        U32<&R::upstreamFilterGroups>("upstreamFilterGroups", 152).Column(11, kColumnWritable),
        U32<&R::downstreamFilterGroups>("downstreamFilterGroups", 156).Column(12, kColumnWritable),
    };
};
