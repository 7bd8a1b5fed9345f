#pragma once
// EntityStateRec (60 bytes, requests 325 and 330): the alarm and type state of one entity.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

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

void EncodeEntityStateRec(const EntityStateRec& rec, uint8_t* out);
std::array<uint8_t, kEntityStateRecSize> EncodeEntityStateRec(const EntityStateRec& rec);
bool DecodeEntityStateRec(const uint8_t* data, size_t size, EntityStateRec* out);
// The count records laid end to end in data (count * kEntityStateRecSize bytes), in order; false, out untouched,
// when data or out is null.
bool DecodeEntityStateRecs(const uint8_t* data, size_t count, std::vector<EntityStateRec>* out);
