#pragma once
// ShdslPortRec (112 bytes, request 808): one SHDSL port with its profiles, states and subscriber. A query sends the
// record with only the entity id set and is answered with the ports below it; a write sets the profiles and the
// enable state.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kShdslPortRecSize = 112;
inline constexpr size_t kShdslPortProfileNameWidth = 33;
inline constexpr size_t kShdslPortSubscriberWidth = 24;

struct ShdslPortRec {
    uint32_t entityId = 0;          // packed entity id of the port
    std::string lineProfile;        // empty: none
    std::string pmThresholdProfile; // empty: none
    uint32_t enableState = 0;       // 1 enabled, 2 disabled
    uint32_t operState = 0;         // 1 up, other values down
    std::string subscriber;         // empty: no subscriber
    uint32_t service = 0;           // 1 PPPoE, other values fixed IP
    uint32_t subscriberClass = 0;   // 2 enterprise, other values home
    bool operator==(const ShdslPortRec&) const = default;
};

template <> struct RecordTable<ShdslPortRec> {
    using R = ShdslPortRec;
    static constexpr const char* kName = "ShdslPortRec";
    static constexpr uint32_t kSize = kShdslPortRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key().Column(1),
        Text<&R::lineProfile>("lineProfile", 4, kShdslPortProfileNameWidth).Column(2, kColumnWritable),
        Text<&R::pmThresholdProfile>("pmThresholdProfile", 37, kShdslPortProfileNameWidth).Column(3, kColumnWritable),
        Reserved(70, 2),
        U32<&R::enableState>("enableState", 72).Column(4, kColumnWritable),
        U32<&R::operState>("operState", 76).Column(5),
        Text<&R::subscriber>("subscriber", 80, kShdslPortSubscriberWidth).Column(6),
        U32<&R::service>("service", 104).Column(7),
        U32<&R::subscriberClass>("subscriberClass", 108).Column(8),
    };
};
