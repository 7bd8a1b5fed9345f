#include "link/records/alarm_stat_rec.h"

#include "link/records/record_bytes.h"

using namespace record_bytes;

void EncodeAlarmStatRec(const AlarmStatRec& rec, uint8_t* out)
{
    PutU32(out, 0, rec.entityId);
    PutU32(out, 4, rec.severity);
    PutU32(out, 8, rec.count);
}

std::array<uint8_t, kAlarmStatRecSize> EncodeAlarmStatRec(const AlarmStatRec& rec)
{
    std::array<uint8_t, kAlarmStatRecSize> bytes{};
    EncodeAlarmStatRec(rec, bytes.data());
    return bytes;
}

bool DecodeAlarmStatRec(const uint8_t* data, size_t size, AlarmStatRec* out)
{
    if (data == nullptr || out == nullptr || size < kAlarmStatRecSize)
        return false;
    out->entityId = GetU32(data, 0);
    out->severity = GetU32(data, 4);
    out->count = GetU32(data, 8);
    return true;
}
