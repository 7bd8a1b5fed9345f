#pragma once
// TrunkPmRec (52 bytes, request 700): the traffic counters of one trunk port, incoming and outgoing. A query sends
// the port's packed entity id (WordRecord).

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kTrunkPmRecSize = 52;
inline constexpr size_t kTrunkTrafficCountersRecSize = 20;

// The counters of one direction.
struct TrunkTrafficCountersRec {
    uint32_t octets = 0;
    uint32_t unicastPackets = 0;
    uint32_t nonUnicastPackets = 0;
    uint32_t discardedPackets = 0;
    uint32_t erroneousPackets = 0;
    bool operator==(const TrunkTrafficCountersRec&) const = default;
};

template <> struct RecordTable<TrunkTrafficCountersRec> {
    using R = TrunkTrafficCountersRec;
    static constexpr const char* kName = "TrunkTrafficCountersRec";
    static constexpr uint32_t kSize = kTrunkTrafficCountersRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::octets>("octets", 0).Column(1),
        U32<&R::unicastPackets>("unicastPackets", 4).Column(2),
        U32<&R::nonUnicastPackets>("nonUnicastPackets", 8).Column(3),
        U32<&R::discardedPackets>("discardedPackets", 12).Column(4),
        U32<&R::erroneousPackets>("erroneousPackets", 16).Column(5),
    };
};

struct TrunkPmRec {
    uint32_t entityId = 0; // packed entity id of the trunk port
    TrunkTrafficCountersRec incoming;
    TrunkTrafficCountersRec outgoing;
    uint32_t incomingPauseFrames = 0;
    uint32_t outgoingPauseFrames = 0;
    bool operator==(const TrunkPmRec&) const = default;
};

template <> struct RecordTable<TrunkPmRec> {
    using R = TrunkPmRec;
    static constexpr const char* kName = "TrunkPmRec";
    static constexpr uint32_t kSize = kTrunkPmRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key().Column(1),
        Nested<&R::incoming>("incoming", 4).Column(2),
        Nested<&R::outgoing>("outgoing", 24).Column(7),
        U32<&R::incomingPauseFrames>("incomingPauseFrames", 44).Column(12),
        U32<&R::outgoingPauseFrames>("outgoingPauseFrames", 48).Column(13),
    };
};
