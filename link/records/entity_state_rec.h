#pragma once
// EntityStateRec (60 bytes, requests 325 and 330): the alarm and type state of one entity.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kEntityStateRecSize = 60;
inline constexpr size_t kEntityStateTextWidth = 12;

struct EntityStateRec {
    uint32_t entityId = 0;  // packed entity id
    uint32_t stateBits = 0; // bit i = alarm i of the entity's model
    int32_t severity = 0;   // 99 = cleared
    uint32_t secondaryStatus = 0;
    uint32_t onlineType = 0;
    uint32_t plannedType = 0;
    uint32_t alarmMasked = 0;
    uint32_t acknowledged = 0;
    uint32_t occurTime = 0;   // seconds since 1970
    uint32_t receiveTime = 0; // seconds since 1970
    std::string text;         // bytes 40..51
    uint32_t value = 0;
    uint32_t alarmClass = 0; // 1 equipment, 2 communication, 3 environment
    bool operator==(const EntityStateRec&) const = default;
};

template <> struct RecordTable<EntityStateRec> {
    using R = EntityStateRec;
    static constexpr const char* kName = "EntityStateRec";
    static constexpr uint32_t kSize = kEntityStateRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key().Column(1),
        U32<&R::stateBits>("stateBits", 4).Column(2),
        I32<&R::severity>("severity", 8).Column(3),
        U32<&R::secondaryStatus>("secondaryStatus", 12).Column(4),
        U32<&R::onlineType>("onlineType", 16).Column(5),
        U32<&R::plannedType>("plannedType", 20).Column(6),
        U32<&R::alarmMasked>("alarmMasked", 24).Column(7),
        U32<&R::acknowledged>("acknowledged", 28).Column(8),
        U32<&R::occurTime>("occurTime", 32).Column(9),
        U32<&R::receiveTime>("receiveTime", 36).Column(10),
        Text<&R::text>("text", 40, kEntityStateTextWidth).Column(11),
        U32<&R::value>("value", 52).Column(12),
        U32<&R::alarmClass>("alarmClass", 56).Column(13),
    };
};
