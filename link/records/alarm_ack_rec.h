#pragma once
// AlarmAckRec (84 bytes, request 333): the acknowledgement of the alarms of one entity.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kAlarmAckRecSize = 84;
inline constexpr size_t kAlarmAckPersonWidth = 12;
inline constexpr size_t kAlarmAckCommentWidth = 64;

struct AlarmAckRec {
    uint32_t entityId = 0; // packed entity id
    std::string person;    // empty = not acknowledged
    uint32_t ackTime = 0;  // seconds since 1970
    std::string comment;   // at most 60 characters are entered
    bool operator==(const AlarmAckRec&) const = default;
};

void EncodeAlarmAckRec(const AlarmAckRec& rec, uint8_t* out);
std::array<uint8_t, kAlarmAckRecSize> EncodeAlarmAckRec(const AlarmAckRec& rec);
bool DecodeAlarmAckRec(const uint8_t* data, size_t size, AlarmAckRec* out);
