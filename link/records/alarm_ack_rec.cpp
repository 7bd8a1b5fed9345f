#include "link/records/alarm_ack_rec.h"

#include "link/records/record_bytes.h"

#include <cstring>

using namespace record_bytes;

void EncodeAlarmAckRec(const AlarmAckRec& rec, uint8_t* out)
{
    std::memset(out, 0, kAlarmAckRecSize);
    PutU32(out, 0, rec.entityId);
    PutText(out, 4, kAlarmAckPersonWidth, rec.person);
    PutU32(out, 16, rec.ackTime);
    PutText(out, 20, kAlarmAckCommentWidth, rec.comment);
}

std::array<uint8_t, kAlarmAckRecSize> EncodeAlarmAckRec(const AlarmAckRec& rec)
{
    std::array<uint8_t, kAlarmAckRecSize> bytes{};
    EncodeAlarmAckRec(rec, bytes.data());
    return bytes;
}

bool DecodeAlarmAckRec(const uint8_t* data, size_t size, AlarmAckRec* out)
{
    if (data == nullptr || out == nullptr || size < kAlarmAckRecSize)
        return false;
    out->entityId = GetU32(data, 0);
    out->person = GetText(data, 4, kAlarmAckPersonWidth);
    out->ackTime = GetU32(data, 16);
    out->comment = GetText(data, 20, kAlarmAckCommentWidth);
    return true;
}
